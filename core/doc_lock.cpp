#include "core/doc_lock.h"

#include "ed/docman.h"

Doc_Lock::Doc_Lock()
{
    ZcApDocument* document = zcDocManager->curDocument();
    if (document != nullptr &&
        zcDocManager->lockDocument(document, ZcAp::kWrite, nullptr, nullptr, true) == Zcad::eOk)
        m_Document = document;
}

Doc_Lock::~Doc_Lock()
{
    if (m_Document != nullptr)
        zcDocManager->unlockDocument(m_Document);
}
