#include "DocumentService.h"

#include "IDocument.h"

namespace vela {

DocumentService* DocumentService::Get()
{
    static DocumentService s_service;
    return &s_service;
}

tarn::IDocument* DocumentService::GetCurrentDocument() const
{
    return m_document;
}

void DocumentService::SetCurrentDocument(tarn::IDocument* document)
{
    m_document = document;
    emit CurrentDocumentChanged();
}

void DocumentService::CloseCurrentDocument()
{
    if (!m_document) {
        return;
    }
    const int runtimeId = static_cast<int>(m_document->GetRuntimeId().Value());
    m_document = nullptr;
    emit DocumentClosed(runtimeId);
    emit CurrentDocumentChanged();
}

} // namespace vela
