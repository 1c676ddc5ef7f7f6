#include "sheets/doc_reactors.h"

#include "core/point_monitor.h"
#include "sheets/marker_entities.h"

Doc_Reactor_List* g_Doc_Reactors = nullptr;

namespace {

void Remove_Db_Reactor(Doc_Reactor_Node* node)
{
    if (ZcDbDatabase* database = node->Document->database())
        database->removeReactor(node->Db_Reactor);
    delete node->Db_Reactor;
}

}  // namespace

void MyDocReactor::documentCreated(ZcApDocument* document)
{
    if (g_Doc_Reactors != nullptr)
        g_Doc_Reactors->Attach(document);
    Attach_Point_Monitor();
}

void MyDocReactor::documentToBeActivated(ZcApDocument* document)
{
    if (document == nullptr)
        return;
    if (document != m_Activated && g_Doc_Reactors != nullptr) {
        g_Doc_Reactors->Attach(document);
        m_Activated = document;
    }
    Attach_Point_Monitor();
}

void MyDocReactor::documentToBeDestroyed(ZcApDocument* document)
{
    // A later document may be made at the same address.
    if (document == m_Activated)
        m_Activated = nullptr;
    if (g_Doc_Reactors != nullptr)
        g_Doc_Reactors->Detach(document);
}

void MyDbReactor::objectErased(const ZcDbDatabase*, const ZcDbObject* dbObj, bool erased)
{
    if (g_Watch_Marker_Erase == 0 || !erased || dbObj == nullptr || !dbObj->isKindOf(Temp_PlotRec::desc()))
        return;
    Marker_Sheet_Window* window = g_Open_Marker_Sheet_Window != nullptr ? g_Open_Marker_Sheet_Window() : nullptr;
    if (window == nullptr)
        return;
    const int row = window->Find_Marker_Row(dbObj->objectId());
    if (row >= 0)
        window->Delete_Sheets(row);
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
