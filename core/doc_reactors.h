// The document-manager reactor and one database reactor per open drawing, the one
// instance g_Doc_Reactors. The database reactor removes a sheet from the open result
// window when the user erases its marker.
#pragma once

#include <cstdint>

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

// While 1, erasing a marker removes its sheet's row; the program clears it around its
// own marker erasures.
extern uint8_t g_Watch_Marker_Erase;

// The open result window's sheet list as the database reactor reaches it: the sheet set
// of Dlg_BPlot1 or Dlg_BPlot3 (g_Sheet_Set) or the recognised-sheet list of Dlg_BPlot2
// (g_TK_Sheet_List).
class Marker_Sheet_Window {
public:
    virtual ~Marker_Sheet_Window() = default;
    // The row of the sheet whose marker has the id; -1 when no sheet has it.
    virtual int Find_Marker_Row(const ZcDbObjectId& marker) = 0;
    // The window's Delete_Sheets of that single row: markers not erased, empty row selection.
    virtual void Delete_Sheets(int row) = 0;
};

// The window whose sheets an erased marker is looked up in: g_Dlg_BPlot1 (else
// g_Dlg_BPlot3) while g_Sheet_Set is set, otherwise g_Dlg_BPlot2 while g_TK_Sheet_List
// is set; null when none is open. Each result window chains itself into this hook when it
// is created; before that it gives null and an erased marker removes nothing.
extern Marker_Sheet_Window* (*g_Open_Marker_Sheet_Window)();
