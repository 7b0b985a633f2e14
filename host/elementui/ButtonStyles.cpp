#include "ButtonStyles.h"

namespace vela {

QString ButtonStyles::Hollow()
{
    return QStringLiteral(
        "QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;color:rgb(82,145,221);"
        "background:rgb(255,255,255);border:1px solid rgb(82,145,221);border-radius:2px;padding:0px 12px;}"
        "QPushButton:hover{background:rgb(238,244,252);}"
        "QPushButton:pressed{background:rgb(220,232,248);}"
        "QPushButton:disabled{color:rgb(136,146,160);border-color:rgb(189,199,213);}");
}

QString ButtonStyles::Solid()
{
    return QStringLiteral(
        "QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;color:rgb(255,255,255);"
        "background:rgb(82,145,221);border:1px solid rgb(82,145,221);border-radius:2px;padding:0px 12px;}"
        "QPushButton:hover{background:rgb(104,160,228);border-color:rgb(104,160,228);}"
        "QPushButton:pressed{background:rgb(64,124,199);border-color:rgb(64,124,199);}"
        "QPushButton:disabled{background:rgb(189,199,213);border-color:rgb(189,199,213);}");
}

} // namespace vela
