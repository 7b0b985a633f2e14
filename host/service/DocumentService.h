#pragma once

#include "vela_service_export.h"

#include <QObject>

namespace tarn {
class IDocument;
}

namespace vela {

// The host's current document.
class VELA_SERVICE_EXPORT DocumentService : public QObject
{
    Q_OBJECT

public:
    static DocumentService* Get();

    // Null when no document is open.
    tarn::IDocument* GetCurrentDocument() const;

    // The host opens a document (not owned) or closes the current one.
    void SetCurrentDocument(tarn::IDocument* document);
    void CloseCurrentDocument();

signals:
    // Carries the closed document's runtime id.
    void DocumentClosed(int runtimeId);
    void CurrentDocumentChanged();

private:
    DocumentService() = default;

    tarn::IDocument* m_document = nullptr;
};

} // namespace vela
