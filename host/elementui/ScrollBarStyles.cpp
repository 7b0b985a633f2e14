#include "ScrollBarStyles.h"

namespace vela {

namespace {
constexpr auto HandleColour = "rgba(189,199,213,255)";
constexpr auto HandleHoverColour = "rgba(136,146,160,255)";
constexpr auto GrooveColour = "rgba(240,242,245,255)";
} // namespace

QString ScrollBarStyles::VerticalScrollBarStyle(bool transparentGroove)
{
    return QStringLiteral(
        "QScrollBar:vertical{width:8px;margin:0px;border:none;background:%1;}"
        "QScrollBar::handle:vertical{min-height:24px;border-radius:4px;background:%2;}"
        "QScrollBar::handle:vertical:hover{background:%3;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;border:none;background:none;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
        .arg(transparentGroove ? QStringLiteral("transparent") : QLatin1String(GrooveColour),
            QLatin1String(HandleColour), QLatin1String(HandleHoverColour));
}

QString ScrollBarStyles::HorizontalScrollBarStyle()
{
    return QStringLiteral(
        "QScrollBar:horizontal{height:8px;margin:0px;border:none;background:transparent;}"
        "QScrollBar::handle:horizontal{min-width:24px;border-radius:4px;background:%1;}"
        "QScrollBar::handle:horizontal:hover{background:%2;}"
        "QScrollBar::add-line:horizontal,QScrollBar::sub-line:horizontal{width:0px;border:none;background:none;}"
        "QScrollBar::add-page:horizontal,QScrollBar::sub-page:horizontal{background:none;}")
        .arg(QLatin1String(HandleColour), QLatin1String(HandleHoverColour));
}

} // namespace vela
