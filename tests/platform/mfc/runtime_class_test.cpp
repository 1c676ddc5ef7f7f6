#include <gtest/gtest.h>

#include <memory>

#include "mfc/afx.h"
#include "mfc/afxcoll.h"

namespace {

// A chain of record classes: Shape <- Frame <- TitleFrame, and an unrelated Stamp.
class Shape : public CObject {
    DECLARE_DYNAMIC(Shape)
public:
    int id = 0;
};

class Frame : public Shape {
    DECLARE_DYNCREATE(Frame)
public:
    double width = 0;
};

class TitleFrame : public Frame {
    DECLARE_SERIAL(TitleFrame)
public:
    CString title = L"图框";
};

class Stamp : public CObject {
    DECLARE_DYNCREATE(Stamp)
};

}  // namespace

IMPLEMENT_DYNAMIC(Shape, CObject)
IMPLEMENT_DYNCREATE(Frame, Shape)
IMPLEMENT_SERIAL(TitleFrame, Frame, 1)
IMPLEMENT_DYNCREATE(Stamp, CObject)

namespace {

TEST(RuntimeClass, DescribesTheClass) {
    const CRuntimeClass* rc = RUNTIME_CLASS(TitleFrame);
    EXPECT_STREQ(rc->m_lpszClassName, "TitleFrame");
    EXPECT_EQ(rc->m_nObjectSize, static_cast<int>(sizeof(TitleFrame)));
    EXPECT_EQ(rc->m_pBaseClass, RUNTIME_CLASS(Frame));
    EXPECT_EQ(RUNTIME_CLASS(Frame)->m_pBaseClass, RUNTIME_CLASS(Shape));
    EXPECT_EQ(RUNTIME_CLASS(Shape)->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
}

TEST(RuntimeClass, IsKindOfFollowsTheChain) {
    TitleFrame title;
    Frame frame;
    Stamp stamp;
    const struct {
        const CObject* object;
        CRuntimeClass* cls;
        bool expected;
    } cases[] = {
        {&title, RUNTIME_CLASS(TitleFrame), true}, {&title, RUNTIME_CLASS(Frame), true},
        {&title, RUNTIME_CLASS(Shape), true},      {&title, RUNTIME_CLASS(CObject), true},
        {&title, RUNTIME_CLASS(Stamp), false},     {&frame, RUNTIME_CLASS(TitleFrame), false},
        {&frame, RUNTIME_CLASS(Shape), true},      {&stamp, RUNTIME_CLASS(Shape), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bool(c.object->IsKindOf(c.cls)), c.expected)
            << c.object->GetRuntimeClass()->m_lpszClassName << " kind of " << c.cls->m_lpszClassName;

    CObject* as_object = &title;
    EXPECT_EQ(as_object->GetRuntimeClass(), RUNTIME_CLASS(TitleFrame));
    EXPECT_EQ(DYNAMIC_DOWNCAST(Frame, as_object), &title);
    EXPECT_EQ(DYNAMIC_DOWNCAST(Stamp, as_object), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(Frame, static_cast<CObject*>(nullptr)), nullptr);
    EXPECT_EQ(STATIC_DOWNCAST(TitleFrame, as_object), &title);
    EXPECT_TRUE(title.IsSerializable());
    EXPECT_FALSE(frame.IsSerializable());
}

TEST(RuntimeClass, CreateObject) {
    std::unique_ptr<CObject> created(RUNTIME_CLASS(TitleFrame)->CreateObject());
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(TitleFrame)));
    EXPECT_STREQ(static_cast<TitleFrame*>(created.get())->title, L"图框");

    EXPECT_EQ(RUNTIME_CLASS(Shape)->CreateObject(), nullptr);  // DYNAMIC only

    std::unique_ptr<CObject> by_name(CRuntimeClass::CreateObject(L"Frame"));
    ASSERT_NE(by_name, nullptr);
    EXPECT_EQ(by_name->GetRuntimeClass(), RUNTIME_CLASS(Frame));
    EXPECT_EQ(CRuntimeClass::FromName("Stamp"), RUNTIME_CLASS(Stamp));
    EXPECT_EQ(CRuntimeClass::FromName(L"CStringArray"), RUNTIME_CLASS(CStringArray));
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("frame"), nullptr);  // names are case sensitive
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
}

TEST(RuntimeClass, RegistrationLastsAsLongAsItsObject) {
    static const CRuntimeClass transient = {"TransientClass", 8, 0xFFFF, nullptr, RUNTIME_CLASS(CObject)};
    {
        AFX_CLASSINIT init(&transient);
        EXPECT_EQ(CRuntimeClass::FromName("TransientClass"), &transient);
    }
    EXPECT_EQ(CRuntimeClass::FromName("TransientClass"), nullptr);
}

}  // namespace
