#include "PlazaTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <array>
#include <memory>

namespace vela {

namespace {

// Compiled into the module from translations/ (see translations/CMakeLists.txt).
const QString CatalogFolder = QStringLiteral(":/vela/translations");
const std::array<const char*, 2> CatalogNames = {"plaza", "vela"};

std::array<std::unique_ptr<QTranslator>, 2>& Installed()
{
    static std::array<std::unique_ptr<QTranslator>, 2> translators;
    return translators;
}

} // namespace

bool PlazaTranslations::Install(const QLocale& locale)
{
    Remove();
    if (locale.language() == QLocale::Chinese) {
        return true;
    }
    bool all = true;
    for (std::size_t i = 0; i < CatalogNames.size(); ++i) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, QString::fromLatin1(CatalogNames[i]), QStringLiteral("_"), CatalogFolder)) {
            all = false;
            continue;
        }
        QCoreApplication::installTranslator(translator.get());
        Installed()[i] = std::move(translator);
    }
    return all;
}

void PlazaTranslations::Remove()
{
    for (auto& translator : Installed()) {
        if (translator) {
            QCoreApplication::removeTranslator(translator.get());
            translator.reset();
        }
    }
}

} // namespace vela
