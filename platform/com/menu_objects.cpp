// The automation objects of the host's menus and the model they make up.
#include <algorithm>
#include <set>
#include <vector>

#include "com/menu_model.h"
#include "com/zcadmenu.h"
#include "ed/editor.h"
#include "win/win_files.h"

const IID IID_IZcadApplication2021 = {0xEC9231AC, 0x5A21, 0x11E7, {0xB7, 0x2E, 0xBC, 0x5F, 0xF4, 0x2A, 0xC8, 0x39}};
const IID IID_IZcadApplication2025 = {0xEF920373, 0x5A25, 0x11E7, {0xB7, 0x2E, 0xBC, 0x5F, 0xF4, 0x2A, 0xC8, 0x39}};

namespace platform {

namespace {

// Every object lives while callers hold references to it or the model holds it.
class Node_Base {
public:
    Node_Base() { Live().insert(this); }
    virtual ~Node_Base() { Live().erase(this); }

    // The model keeps the object / lets it go.
    void Hold() { m_Held = true; }
    void Drop()
    {
        m_Held = false;
        if (m_Refs == 0)
            delete this;
    }

    static std::set<Node_Base*>& Live()
    {
        static std::set<Node_Base*> live;
        return live;
    }

    ULONG m_Refs = 0;
    bool m_Held = false;
};

template <class Interface>
class Com_Node : public Interface, public Node_Base {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || Answers(riid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_Refs; }
    ULONG Release() override
    {
        if (m_Refs == 0)
            return 0;
        ULONG left = --m_Refs;
        if (left == 0 && !m_Held)
            delete this;
        return left;
    }

protected:
    virtual bool Answers(REFIID) const { return false; }
};

template <class Object, class Interface>
HRESULT Hand_Out(Object* object, Interface** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = object;
    if (object == nullptr)
        return E_FAIL;
    object->AddRef();
    return S_OK;
}

HRESULT Give_String(const std::wstring& text, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocString(text.c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

std::wstring Text_Of(BSTR text) { return text != nullptr ? std::wstring(text) : std::wstring(); }

// The text without mnemonic markers: "&x" shows x, "&&" shows "&".
std::wstring Without_Mnemonic(const std::wstring& text)
{
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == L'&')
            continue;
        shown += text[i];
    }
    return shown;
}

// The position an Index VARIANT names in a list of `count` named entries: a number in
// 0..count-1, or the first entry whose name matches.
template <class Name_Of>
HRESULT Find_Index(const VARIANT& index, size_t count, Name_Of name_of, size_t& position)
{
    if (index.vt == VT_I2 || index.vt == VT_I4) {
        LONG value = index.vt == VT_I2 ? index.iVal : index.lVal;
        if (value < 0 || static_cast<size_t>(value) >= count)
            return DISP_E_BADINDEX;
        position = static_cast<size_t>(value);
        return S_OK;
    }
    if (index.vt == VT_BSTR) {
        for (size_t i = 0; i < count; ++i)
            if (Equal_No_Case(name_of(i), Text_Of(index.bstrVal))) {
                position = i;
                return S_OK;
            }
        return DISP_E_BADINDEX;
    }
    return DISP_E_TYPEMISMATCH;
}

// Where a new entry goes: before the entry the index names; at the end for a number at
// or past the end.
template <class Name_Of>
HRESULT Insert_Index(const VARIANT& index, size_t count, Name_Of name_of, size_t& position)
{
    if ((index.vt == VT_I2 || index.vt == VT_I4) &&
        (index.vt == VT_I2 ? index.iVal : index.lVal) >= static_cast<LONG>(count)) {
        position = count;
        return S_OK;
    }
    return Find_Index(index, count, name_of, position);
}

// The entry an Index VARIANT names, handed out with a reference.
template <class Node, class Interface, class Name_Of>
HRESULT Item_At(const VARIANT& index, const std::vector<Node*>& list, Name_Of name_of, Interface** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    size_t position = 0;
    HRESULT hr = Find_Index(index, list.size(), [&](size_t i) { return name_of(list[i]); }, position);
    return FAILED(hr) ? hr : Hand_Out(list[position], out);
}

HRESULT Give_Count(size_t size, LONG* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = static_cast<LONG>(size);
    return S_OK;
}

class Item_Node;
class Group_Node;

class Popup_Node final : public Com_Node<IZcadPopupMenu> {
public:
    Popup_Node(const std::wstring& name, const std::wstring& tag) : m_Name(name), m_Tag(tag) {}
    ~Popup_Node() override;

    HRESULT Item(VARIANT index, IZcadPopupMenuItem** item) override;
    HRESULT get_Count(LONG* count) override { return Give_Count(m_Items.size(), count); }
    HRESULT get_Name(BSTR* name) override { return Give_String(m_Name, name); }
    HRESULT put_Name(BSTR name) override
    {
        m_Name = Text_Of(name);
        return S_OK;
    }
    HRESULT get_NameNoMnemonic(BSTR* name) override { return Give_String(Without_Mnemonic(m_Name), name); }
    HRESULT get_TagString(BSTR* tag) override { return Give_String(m_Tag, tag); }
    HRESULT AddMenuItem(VARIANT index, BSTR label, BSTR macro, IZcadPopupMenuItem** item) override;
    HRESULT AddSubMenu(VARIANT index, BSTR label, IZcadPopupMenu** subMenu) override;
    HRESULT AddSeparator(VARIANT index, IZcadPopupMenuItem** item) override;
    HRESULT InsertInMenuBar(VARIANT index) override;
    HRESULT RemoveFromMenuBar() override;
    HRESULT get_OnMenuBar(VARIANT_BOOL* onBar) override
    {
        if (onBar == nullptr)
            return E_POINTER;
        *onBar = On_Bar() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

    bool On_Bar() const;
    // Adds an entry at a position (the model owns it).
    Item_Node* Insert(size_t position, Item_Node* item);
    HRESULT Add_Entry(const VARIANT& index, Item_Node* item);
    void Describe(std::wstring& text, int depth) const;

    std::wstring m_Name;
    std::wstring m_Tag;
    std::vector<Item_Node*> m_Items;
    Group_Node* m_Group = nullptr;  // a pop-up of a group
    Item_Node* m_Owner = nullptr;   // a sub-menu: its entry
};

class Item_Node final : public Com_Node<IZcadPopupMenuItem> {
public:
    Item_Node(ZcMenuItemType type, const std::wstring& label, const std::wstring& macro,
              const std::wstring& tag)
        : m_Type(type), m_Label(label), m_Macro(macro), m_Tag(tag)
    {
    }
    ~Item_Node() override
    {
        if (m_Sub_Menu != nullptr) {
            m_Sub_Menu->m_Owner = nullptr;
            m_Sub_Menu->Drop();
        }
    }

    HRESULT get_Label(BSTR* label) override { return Give_String(m_Label, label); }
    HRESULT put_Label(BSTR label) override
    {
        m_Label = Text_Of(label);
        if (m_Sub_Menu != nullptr)
            m_Sub_Menu->m_Name = m_Label;
        return S_OK;
    }
    HRESULT get_Caption(BSTR* caption) override { return Give_String(Without_Mnemonic(m_Label), caption); }
    HRESULT get_Macro(BSTR* macro) override { return Give_String(m_Macro, macro); }
    HRESULT put_Macro(BSTR macro) override
    {
        m_Macro = Text_Of(macro);
        return S_OK;
    }
    HRESULT get_TagString(BSTR* tag) override { return Give_String(m_Tag, tag); }
    HRESULT put_TagString(BSTR tag) override
    {
        m_Tag = Text_Of(tag);
        return S_OK;
    }
    HRESULT get_Type(ZcMenuItemType* type) override
    {
        if (type == nullptr)
            return E_POINTER;
        *type = m_Type;
        return S_OK;
    }
    HRESULT get_SubMenu(IZcadPopupMenu** subMenu) override { return Hand_Out(m_Sub_Menu, subMenu); }
    HRESULT get_Index(LONG* index) override
    {
        if (index == nullptr)
            return E_POINTER;
        if (m_Parent == nullptr)
            return E_FAIL;
        auto& items = m_Parent->m_Items;
        *index = static_cast<LONG>(std::find(items.begin(), items.end(), this) - items.begin());
        return S_OK;
    }
    HRESULT Delete() override
    {
        if (m_Parent == nullptr)
            return E_FAIL;
        auto& items = m_Parent->m_Items;
        items.erase(std::find(items.begin(), items.end(), this));
        m_Parent = nullptr;
        Drop();
        return S_OK;
    }

    ZcMenuItemType m_Type;
    std::wstring m_Label;
    std::wstring m_Macro;
    std::wstring m_Tag;
    Popup_Node* m_Parent = nullptr;
    Popup_Node* m_Sub_Menu = nullptr;
};

class Popups_Node final : public Com_Node<IZcadPopupMenus> {
public:
    explicit Popups_Node(Group_Node* group) : m_Group(group) {}
    HRESULT Item(VARIANT index, IZcadPopupMenu** menu) override;
    HRESULT get_Count(LONG* count) override;
    HRESULT Add(BSTR menuName, IZcadPopupMenu** menu) override;

    Group_Node* m_Group;
};

class Group_Node final : public Com_Node<IZcadMenuGroup> {
public:
    Group_Node(const std::wstring& name, const std::wstring& file)
        : m_Name(name), m_File(file), m_Menus_Object(new Popups_Node(this))
    {
        m_Menus_Object->Hold();
    }
    ~Group_Node() override
    {
        for (Popup_Node* popup : m_Menus) {
            popup->RemoveFromMenuBar();
            popup->m_Group = nullptr;
            popup->Drop();
        }
        m_Menus_Object->m_Group = nullptr;
        m_Menus_Object->Drop();
    }

    HRESULT get_Name(BSTR* name) override { return Give_String(m_Name, name); }
    HRESULT get_MenuFileName(BSTR* path) override { return Give_String(m_File, path); }
    HRESULT get_Menus(IZcadPopupMenus** menus) override { return Hand_Out(m_Menus_Object, menus); }

    Popup_Node* Add_Popup(const std::wstring& name, const std::wstring& tag)
    {
        auto* popup = new Popup_Node(name, tag);
        popup->Hold();
        popup->m_Group = this;
        m_Menus.push_back(popup);
        return popup;
    }

    std::wstring m_Name;
    std::wstring m_File;
    std::vector<Popup_Node*> m_Menus;
    Popups_Node* m_Menus_Object;
};

class Groups_Node final : public Com_Node<IZcadMenuGroups> {
public:
    HRESULT Item(VARIANT index, IZcadMenuGroup** group) override;
    HRESULT get_Count(LONG* count) override;
};

class Bar_Node final : public Com_Node<IZcadMenuBar> {
public:
    HRESULT Item(VARIANT index, IZcadPopupMenu** menu) override;
    HRESULT get_Count(LONG* count) override;
};

class Application_Node final : public Com_Node<IZcadApplication> {
public:
    HRESULT get_MenuGroups(IZcadMenuGroups** groups) override;
    HRESULT get_MenuBar(IZcadMenuBar** bar) override;
    HRESULT get_Visible(VARIANT_BOOL* visible) override
    {
        if (visible == nullptr)
            return E_POINTER;
        *visible = m_Visible;
        return S_OK;
    }
    HRESULT put_Visible(VARIANT_BOOL visible) override
    {
        m_Visible = visible ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

protected:
    bool Answers(REFIID riid) const override
    {
        return IsEqualIID(riid, IID_IZcadApplication2021) || IsEqualIID(riid, IID_IZcadApplication2025);
    }

private:
    VARIANT_BOOL m_Visible = VARIANT_TRUE;
};

// The host's menus: groups in load order, the menu bar, and the objects that reach them.
struct Menu_Model {
    std::vector<Group_Node*> groups;
    std::vector<Popup_Node*> bar;
    Application_Node* application = nullptr;
    Groups_Node* groups_object = nullptr;
    Bar_Node* bar_object = nullptr;
};

void Load_Main_Group(Menu_Model& model);

Menu_Model& Model()
{
    static Menu_Model* model = [] {
        auto* created = new Menu_Model;
        created->application = new Application_Node;
        created->groups_object = new Groups_Node;
        created->bar_object = new Bar_Node;
        created->application->Hold();
        created->groups_object->Hold();
        created->bar_object->Hold();
        Load_Main_Group(*created);
        return created;
    }();
    return *model;
}

// The host's own pop-ups, in the order of its menu bar.
void Load_Main_Group(Menu_Model& model)
{
    static const wchar_t* const kPopups[] = {
        L"文件(&F)", L"编辑(&E)", L"视图(&V)", L"插入(&I)", L"格式(&O)", L"工具(&T)",
        L"绘图(&D)", L"标注(&N)", L"修改(&M)", L"窗口(&W)", L"帮助(&H)",
    };
    auto* group = new Group_Node(L"ZWCAD", L"");
    group->Hold();
    model.groups.push_back(group);
    int number = 0;
    for (const wchar_t* name : kPopups) {
        Popup_Node* popup = group->Add_Popup(name, L"ID_MnPop" + std::to_wstring(++number));
        model.bar.push_back(popup);
    }
}

Popup_Node::~Popup_Node()
{
    for (Item_Node* item : m_Items) {
        item->m_Parent = nullptr;
        item->Drop();
    }
}

bool Popup_Node::On_Bar() const
{
    const auto& bar = Model().bar;
    return std::find(bar.begin(), bar.end(), this) != bar.end();
}

HRESULT Popup_Node::Item(VARIANT index, IZcadPopupMenuItem** item)
{
    return Item_At(index, m_Items, [](const Item_Node* entry) { return entry->m_Label; }, item);
}

Item_Node* Popup_Node::Insert(size_t position, Item_Node* item)
{
    item->Hold();
    item->m_Parent = this;
    m_Items.insert(m_Items.begin() + static_cast<std::ptrdiff_t>(position), item);
    return item;
}

HRESULT Popup_Node::Add_Entry(const VARIANT& index, Item_Node* item)
{
    size_t position = 0;
    HRESULT hr = Insert_Index(index, m_Items.size(), [&](size_t i) { return m_Items[i]->m_Label; }, position);
    if (FAILED(hr)) {
        delete item;
        return hr;
    }
    Insert(position, item);
    return S_OK;
}

HRESULT Popup_Node::AddMenuItem(VARIANT index, BSTR label, BSTR macro, IZcadPopupMenuItem** item)
{
    if (item == nullptr)
        return E_POINTER;
    *item = nullptr;
    auto* created = new Item_Node(zcMenuItem, Text_Of(label), Text_Of(macro), L"");
    HRESULT hr = Add_Entry(index, created);
    return FAILED(hr) ? hr : Hand_Out(created, item);
}

HRESULT Popup_Node::AddSeparator(VARIANT index, IZcadPopupMenuItem** item)
{
    if (item == nullptr)
        return E_POINTER;
    *item = nullptr;
    auto* created = new Item_Node(zcMenuSeparator, L"", L"", L"");
    HRESULT hr = Add_Entry(index, created);
    return FAILED(hr) ? hr : Hand_Out(created, item);
}

HRESULT Popup_Node::AddSubMenu(VARIANT index, BSTR label, IZcadPopupMenu** subMenu)
{
    if (subMenu == nullptr)
        return E_POINTER;
    *subMenu = nullptr;
    auto* created = new Item_Node(zcMenuSubMenu, Text_Of(label), L"", L"");
    created->m_Sub_Menu = new Popup_Node(Text_Of(label), L"");
    created->m_Sub_Menu->Hold();
    created->m_Sub_Menu->m_Owner = created;
    HRESULT hr = Add_Entry(index, created);
    return FAILED(hr) ? hr : Hand_Out(created->m_Sub_Menu, subMenu);
}

HRESULT Popup_Node::InsertInMenuBar(VARIANT index)
{
    if (m_Group == nullptr || On_Bar())
        return E_FAIL;
    auto& bar = Model().bar;
    size_t position = 0;
    HRESULT hr = Insert_Index(index, bar.size(), [&](size_t i) { return bar[i]->m_Name; }, position);
    if (FAILED(hr))
        return hr;
    bar.insert(bar.begin() + static_cast<std::ptrdiff_t>(position), this);
    return S_OK;
}

HRESULT Popup_Node::RemoveFromMenuBar()
{
    auto& bar = Model().bar;
    auto found = std::find(bar.begin(), bar.end(), this);
    if (found == bar.end())
        return E_FAIL;
    bar.erase(found);
    return S_OK;
}

void Popup_Node::Describe(std::wstring& text, int depth) const
{
    const std::wstring indent(static_cast<size_t>(depth) * 2, L' ');
    for (const Item_Node* item : m_Items) {
        text += L"\n" + indent;
        if (item->m_Type == zcMenuSeparator) {
            text += L"----";
        } else if (item->m_Type == zcMenuSubMenu) {
            text += item->m_Label + L" >";
            item->m_Sub_Menu->Describe(text, depth + 1);
        } else {
            text += item->m_Label + L"  \"" + item->m_Macro + L"\"";
        }
    }
}

HRESULT Popups_Node::Item(VARIANT index, IZcadPopupMenu** menu)
{
    if (m_Group == nullptr) {
        if (menu != nullptr)
            *menu = nullptr;
        return E_FAIL;
    }
    return Item_At(index, m_Group->m_Menus, [](const Popup_Node* popup) { return popup->m_Name; }, menu);
}

HRESULT Popups_Node::get_Count(LONG* count)
{
    return m_Group == nullptr ? E_FAIL : Give_Count(m_Group->m_Menus.size(), count);
}

HRESULT Popups_Node::Add(BSTR menuName, IZcadPopupMenu** menu)
{
    if (menu == nullptr)
        return E_POINTER;
    *menu = nullptr;
    if (m_Group == nullptr)
        return E_FAIL;
    return Hand_Out(m_Group->Add_Popup(Text_Of(menuName), L""), menu);
}

HRESULT Groups_Node::Item(VARIANT index, IZcadMenuGroup** group)
{
    return Item_At(index, Model().groups, [](const Group_Node* entry) { return entry->m_Name; }, group);
}

HRESULT Groups_Node::get_Count(LONG* count)
{
    return Give_Count(Model().groups.size(), count);
}

HRESULT Bar_Node::Item(VARIANT index, IZcadPopupMenu** menu)
{
    return Item_At(index, Model().bar, [](const Popup_Node* popup) { return popup->m_Name; }, menu);
}

HRESULT Bar_Node::get_Count(LONG* count)
{
    return Give_Count(Model().bar.size(), count);
}

HRESULT Application_Node::get_MenuGroups(IZcadMenuGroups** groups)
{
    return Hand_Out(Model().groups_object, groups);
}

HRESULT Application_Node::get_MenuBar(IZcadMenuBar** bar) { return Hand_Out(Model().bar_object, bar); }

void Add_Source_Entries(Popup_Node* popup, const std::vector<Menu_Source_Entry>& entries)
{
    for (const Menu_Source_Entry& entry : entries) {
        switch (entry.kind) {
        case Menu_Source_Entry::Kind::Separator:
            popup->Insert(popup->m_Items.size(), new Item_Node(zcMenuSeparator, L"", L"", entry.tag));
            break;
        case Menu_Source_Entry::Kind::Item:
            popup->Insert(popup->m_Items.size(),
                          new Item_Node(zcMenuItem, entry.label, entry.macro, entry.tag));
            break;
        case Menu_Source_Entry::Kind::Sub_Menu: {
            Item_Node* item = popup->Insert(popup->m_Items.size(),
                                            new Item_Node(zcMenuSubMenu, entry.label, L"", entry.tag));
            item->m_Sub_Menu = new Popup_Node(entry.label, entry.tag);
            item->m_Sub_Menu->Hold();
            item->m_Sub_Menu->m_Owner = item;
            Add_Source_Entries(item->m_Sub_Menu, entry.entries);
            break;
        }
        }
    }
}

void Drop_Group(Menu_Model& model, size_t index)
{
    Group_Node* group = model.groups[index];
    model.groups.erase(model.groups.begin() + static_cast<std::ptrdiff_t>(index));
    group->Drop();
}

}  // namespace

std::wstring Describe_Menu_Bar()
{
    resbuf value{};
    const bool hidden = zcedGetVar(L"MENUBAR", &value) == RTNORM && value.resval.rint == 0;
    std::wstring text = hidden ? L"\nMenu bar (hidden):" : L"\nMenu bar:";
    for (const Popup_Node* popup : Model().bar) {
        text += L"\n" + popup->m_Name;
        popup->Describe(text, 1);
    }
    return text;
}

void Reset_Menu_Model()
{
    Menu_Model& model = Model();
    while (!model.groups.empty())
        Drop_Group(model, model.groups.size() - 1);
    Load_Main_Group(model);
}

bool Load_Menu_Group(const Menu_Source& source, const std::wstring& path, std::string& error)
{
    Menu_Model& model = Model();
    for (const Group_Node* group : model.groups)
        if (Equal_No_Case(group->m_Name, source.group_name)) {
            error = "the menu group is loaded already";
            return false;
        }
    auto* group = new Group_Node(source.group_name, path);
    group->Hold();
    model.groups.push_back(group);
    for (const Menu_Source_Popup& popup_source : source.popups) {
        Popup_Node* popup = group->Add_Popup(popup_source.name, popup_source.tag);
        Add_Source_Entries(popup, popup_source.entries);
        model.bar.push_back(popup);
    }
    return true;
}

bool Unload_Menu_Group(const std::wstring& name)
{
    Menu_Model& model = Model();
    for (size_t i = 0; i < model.groups.size(); ++i)
        if (Equal_No_Case(model.groups[i]->m_Name, name)) {
            Drop_Group(model, i);
            return true;
        }
    return false;
}

LONG Menu_Client_References()
{
    Model();
    LONG total = 0;
    for (const Node_Base* node : Node_Base::Live())
        total += static_cast<LONG>(node->m_Refs);
    return total;
}

}  // namespace platform

IDispatch* ZcadGetIDispatch(BOOL bAddRef)
{
    IZcadApplication* application = platform::Model().application;
    if (bAddRef)
        application->AddRef();
    return application;
}
