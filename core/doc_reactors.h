// The document-manager reactor and one database reactor per open drawing, the one
// instance g_Doc_Reactors.
// Filled in when the reactors land: for now the reactors are added and removed, and a
// closing document takes its database reactor with it; nothing else is reacted to.
#pragma once

#include "db/dbdatabase.h"
#include "db/dbreactor.h"
#include "ed/docman.h"

class MyDocReactor : public ZcApDocManagerReactor {
public:
    ~MyDocReactor() override = default;
    void documentToBeDestroyed(ZcApDocument* document) override;
};

class MyDbReactor : public ZcDbDatabaseReactor {
public:
    ~MyDbReactor() override = default;
};

struct Doc_Reactor_Node {
    ZcApDocument* Document = nullptr;
    MyDbReactor* Db_Reactor = nullptr;
    Doc_Reactor_Node* Next = nullptr;
};

class Doc_Reactor_List {
public:
    // Creates the MyDocReactor and adds it to the host's document manager.
    Doc_Reactor_List();
    ~Doc_Reactor_List();
    Doc_Reactor_List(const Doc_Reactor_List&) = delete;
    Doc_Reactor_List& operator=(const Doc_Reactor_List&) = delete;

    // Makes the document's node current; a document without one gets a node and a
    // MyDbReactor added to its database.
    void Attach(ZcApDocument* document);
    // Removes and deletes the MyDocReactor and every MyDbReactor; the list is then empty.
    void Detach_All();
    // Unlinks the document's node (the first node becomes current when it was the
    // current one), removes and deletes its MyDbReactor.
    void Detach(ZcApDocument* document);

private:
    // Frees the chain from node on, its end first.
    void Free_Nodes(Doc_Reactor_Node* node);

    Doc_Reactor_Node* m_First = nullptr;
    Doc_Reactor_Node* m_Current = nullptr;
    MyDocReactor* m_Doc_Reactor = nullptr;
};

// Null while the module is not loaded.
extern Doc_Reactor_List* g_Doc_Reactors;
