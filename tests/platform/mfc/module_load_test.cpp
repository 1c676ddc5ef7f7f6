#include <gtest/gtest.h>

#include <memory>

#include "mfc/stdafx_mfc.h"
#include "script/utf8.h"

namespace {

// Attach and detach of a real module: its library entry puts it into the resource
// chain and registers its classes; unloading takes both away again.
TEST(ModuleLoadTest, LibraryEntryJoinsAndLeavesTheResourceChain) {
    const std::wstring path = platform::From_Utf8(MFC_TEST_MODULE);
    for (int round = 0; round < 2; ++round) {
        const int zcui_before = platform::ZcUi_Init_Count();
        HMODULE module = LoadLibraryW(path.c_str());
        ASSERT_NE(module, nullptr) << "round " << round;
        EXPECT_EQ(platform::ZcUi_Init_Count(), zcui_before + 1);

        const auto libraries = platform::Dyn_Link_Libraries();
        ASSERT_EQ(libraries.size(), 1u);
        EXPECT_EQ(libraries[0]->m_hModule, module);
        EXPECT_EQ(platform::Resource_Module_Chain().at(1), module);

        CRuntimeClass* record = CRuntimeClass::FromName("Module_Record");
        ASSERT_NE(record, nullptr);
        std::unique_ptr<CObject> object(record->CreateObject());
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetRuntimeClass(), record);
        object.reset();  // its code leaves with the module

        EXPECT_TRUE(FreeLibrary(module));
        EXPECT_TRUE(platform::Dyn_Link_Libraries().empty());
        EXPECT_EQ(CRuntimeClass::FromName("Module_Record"), nullptr);
    }
}

}  // namespace
