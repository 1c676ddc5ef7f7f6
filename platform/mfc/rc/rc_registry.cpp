// Resource scripts of the loaded modules, and the loaders that serve their strings and images.
#include <algorithm>
#include <map>
#include <memory>

#include "mfc/afxdc.h"
#include "mfc/rc/resource_script.h"
#include "mfc/resource_modules.h"
#include "script/script_input.h"
#include "script/utf8.h"

namespace platform {

namespace {

std::map<HINSTANCE, std::unique_ptr<rc::Script>>& Scripts() {
    static std::map<HINSTANCE, std::unique_ptr<rc::Script>> scripts;
    return scripts;
}

std::vector<HINSTANCE> Search_Order(HINSTANCE module) {
    if (module) return {module};
    return Resource_Module_Chain();
}

void Install_Loaders() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    Set_String_Resource_Loader([](HINSTANCE module, UINT id, std::wstring& text) {
        const rc::Script* script = Resource_Script(module);
        if (!script) return false;
        auto it = script->strings.find(id);
        if (it == script->strings.end()) return false;
        text = it->second;
        return true;
    });
    Set_Bitmap_Resource_Loader([](HINSTANCE module, LPCWSTR name, Image_Resource_Kind kind) -> std::filesystem::path {
        for (HINSTANCE m : Search_Order(module)) {
            const rc::Script* script = Resource_Script(m);
            if (!script) continue;
            for (const rc::Image& image : script->images) {
                const bool same_name = IS_INTRESOURCE(name) ? image.id == static_cast<int>(reinterpret_cast<ULONG_PTR>(name))
                                                            : (image.id == 0 && image.name == name);
                if (!same_name) continue;
                const bool fits = image.kind == rc::Image_Kind::Png ||
                                  (kind == Image_Resource_Kind::Bitmap && image.kind == rc::Image_Kind::Bitmap) ||
                                  (kind == Image_Resource_Kind::Icon && image.kind == rc::Image_Kind::Icon) ||
                                  (kind == Image_Resource_Kind::Cursor &&
                                   (image.kind == rc::Image_Kind::Cursor || image.kind == rc::Image_Kind::Icon));
                if (fits) return image.path;
            }
        }
        return {};
    });
}

}  // namespace

bool Register_Resource_Script(HINSTANCE module, const std::filesystem::path& path, std::string* error) {
    auto script = std::make_unique<rc::Script>();
    std::string message;
    if (!rc::Read_Script(path, *script, message)) {
        if (error) *error = message;
        return false;
    }
    Install_Loaders();
    Scripts()[module] = std::move(script);
    return true;
}

bool Register_Resource_Script_Text(HINSTANCE module, const std::string& utf8_text, const std::filesystem::path& name,
                                   std::string* error) {
    auto script = std::make_unique<rc::Script>();
    std::string message;
    if (!rc::Read_Script_Text(utf8_text, name, *script, message)) {
        if (error) *error = message;
        return false;
    }
    Install_Loaders();
    Scripts()[module] = std::move(script);
    return true;
}

void Unregister_Resource_Script(HINSTANCE module) { Scripts().erase(module); }

const rc::Script* Resource_Script(HINSTANCE module) {
    auto it = Scripts().find(module);
    return it == Scripts().end() ? nullptr : it->second.get();
}

const rc::Dialog* Find_Dialog_Template(HINSTANCE module, UINT id) {
    for (HINSTANCE m : Search_Order(module))
        if (const rc::Script* s = Resource_Script(m))
            if (auto it = s->dialogs.find(static_cast<int>(id)); it != s->dialogs.end()) return &it->second;
    return nullptr;
}

const rc::Dialog* Find_Dialog_Template(HINSTANCE module, const std::wstring& name) {
    for (HINSTANCE m : Search_Order(module))
        if (const rc::Script* s = Resource_Script(m))
            if (auto it = s->named_dialogs.find(name); it != s->named_dialogs.end()) return &it->second;
    return nullptr;
}

const rc::Menu* Find_Menu_Template(HINSTANCE module, UINT id) {
    for (HINSTANCE m : Search_Order(module))
        if (const rc::Script* s = Resource_Script(m))
            if (auto it = s->menus.find(static_cast<int>(id)); it != s->menus.end()) return &it->second;
    return nullptr;
}

const rc::Image* Find_Image_Resource(HINSTANCE module, UINT id, rc::Image_Kind kind) {
    for (HINSTANCE m : Search_Order(module))
        if (const rc::Script* s = Resource_Script(m))
            for (const rc::Image& image : s->images)
                if (image.id == static_cast<int>(id) && image.kind == kind) return &image;
    return nullptr;
}

namespace {

// The registered scripts, those of the resource search order first.
std::vector<const rc::Script*> Scripts_In_Search_Order() {
    std::vector<const rc::Script*> scripts;
    for (HINSTANCE m : Search_Order(nullptr))
        if (const rc::Script* s = Resource_Script(m)) scripts.push_back(s);
    for (const auto& [module, script] : Scripts())
        if (std::find(scripts.begin(), scripts.end(), script.get()) == scripts.end()) scripts.push_back(script.get());
    return scripts;
}

// Script steps name windows and controls by these symbols too.
const bool g_symbols_installed = [] {
    Set_Symbol_Resolver([](std::wstring_view name, int& value) {
        long found = 0;
        if (!Resource_Symbol_Value(To_Utf8(name), found)) return false;
        value = static_cast<int>(found);
        return true;
    });
    return true;
}();

}  // namespace

bool Resource_Symbol_Value(const std::string& name, long& value) {
    for (const rc::Script* s : Scripts_In_Search_Order())
        if (auto it = s->defines.find(name); it != s->defines.end()) {
            value = it->second;
            return true;
        }
    return rc::Standard_Id(name, value);
}

std::string Dialog_Template_Symbol(int id) {
    for (const rc::Script* s : Scripts_In_Search_Order())
        for (const auto& [name, value] : s->defines)
            if (value == id && name.rfind("IDD_", 0) == 0) return name;
    return {};
}

}  // namespace platform
