#pragma once

#include "plaza_export.h"

#include <QLocale>

namespace vela {

// Puts the interface of the module and of the host libraries it uses into the
// language of `locale`. The host calls Install once at start-up, before
// PlazaMainWindow::Initialize; Chinese, the source language, needs no catalog.
// Qt's own texts (OK, Cancel, ...) stay the host's business.
class PLAZA_EXPORT PlazaTranslations
{
public:
    // Returns false when no catalog exists for the language; the interface then
    // stays in Chinese. A second call replaces the catalogs of the first.
    static bool Install(const QLocale& locale);
    static void Remove();
};

} // namespace vela
