// The document-manager reactor and one database reactor per open drawing, the one
// instance g_Doc_Reactors. The database reactor removes a sheet from the open result
// window when the user erases its marker.
#pragma once

#include "core/marker_sheet_window.h"
#include "db/dbdatabase.h"
#include "db/dbreactor.h"
#include "ed/docman.h"

class MyDocReactor : public ZcApDocManagerReactor {
public:
    ~MyDocReactor() override = default;
    void documentCreated(ZcApDocument* document) override;
    void documentToBeDestroyed(ZcApDocument* document) override;
    void documentToBeActivated(ZcApDocument* document) override;
    void documentToBeDeactivated(ZcApDocument* document) override {}

private:
    // The document last passed to documentToBeActivated.
    ZcApDocument* m_Activated = nullptr;
};

class MyDbReactor : public ZcDbDatabaseReactor {
public:
    ~MyDbReactor() override = default;
    void objectAppended(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) override {}
    void objectModified(const ZcDbDatabase* dwg, const ZcDbObject* dbObj) override {}
    // While g_Watch_Marker_Erase is set, erasing (not unerasing) a Temp_PlotRec marker
    // removes exactly the row of its sheet from the open result window.
    void objectErased(const ZcDbDatabase* dwg, const ZcDbObject* dbObj, bool erased) override;
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
