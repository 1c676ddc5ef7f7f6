#include "core/doc_reactors.h"

Doc_Reactor_List* g_Doc_Reactors = nullptr;

namespace {

void Remove_Db_Reactor(Doc_Reactor_Node* node)
{
    if (ZcDbDatabase* database = node->Document->database())
        database->removeReactor(node->Db_Reactor);
    delete node->Db_Reactor;
}

}  // namespace

void MyDocReactor::documentToBeDestroyed(ZcApDocument* document)
{
    if (g_Doc_Reactors != nullptr)
        g_Doc_Reactors->Detach(document);
}

Doc_Reactor_List::Doc_Reactor_List() : m_Doc_Reactor(new MyDocReactor)
{
    zcDocManager->addReactor(m_Doc_Reactor);
}

Doc_Reactor_List::~Doc_Reactor_List() { Detach_All(); }

void Doc_Reactor_List::Attach(ZcApDocument* document)
{
    if (document == nullptr)
        return;
    Doc_Reactor_Node* last = nullptr;
    for (Doc_Reactor_Node* node = m_First; node != nullptr; node = node->Next) {
        if (node->Document == document) {
            m_Current = node;
            return;
        }
        last = node;
    }
    Doc_Reactor_Node* node = new Doc_Reactor_Node;
    node->Document = document;
    node->Db_Reactor = new MyDbReactor;
    if (last == nullptr)
        m_First = node;
    else
        last->Next = node;
    m_Current = node;
    if (ZcDbDatabase* database = document->database())
        database->addReactor(node->Db_Reactor);
}

void Doc_Reactor_List::Detach_All()
{
    if (m_Doc_Reactor != nullptr) {
        zcDocManager->removeReactor(m_Doc_Reactor);
        delete m_Doc_Reactor;
        m_Doc_Reactor = nullptr;
    }
    Free_Nodes(m_First);
    m_First = nullptr;
    m_Current = nullptr;
}

void Doc_Reactor_List::Free_Nodes(Doc_Reactor_Node* node)
{
    if (node == nullptr)
        return;
    Free_Nodes(node->Next);
    Remove_Db_Reactor(node);
    delete node;
}

void Doc_Reactor_List::Detach(ZcApDocument* document)
{
    Doc_Reactor_Node** link = &m_First;
    while (*link != nullptr && (*link)->Document != document)
        link = &(*link)->Next;
    Doc_Reactor_Node* node = *link;
    if (node == nullptr)
        return;
    *link = node->Next;
    if (m_Current == node)
        m_Current = m_First;
    Remove_Db_Reactor(node);
    delete node;
}
