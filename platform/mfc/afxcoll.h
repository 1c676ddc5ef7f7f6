// The framework's non-template collections, built on the templates of mfc/afxtempl.h.
#pragma once

#include "mfc/afxtempl.h"

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNCREATE(CObArray)
};
class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNCREATE(CPtrArray)
};
class CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNCREATE(CStringArray)
};
class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNCREATE(CUIntArray)
};
class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNCREATE(CDWordArray)
};
class CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNCREATE(CWordArray)
};
class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNCREATE(CByteArray)
};

class CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNCREATE(CObList)
    using CList::CList;
};
class CPtrList : public CList<void*, void*> {
    DECLARE_DYNCREATE(CPtrList)
    using CList::CList;
};
class CStringList : public CList<CString, const CString&> {
    DECLARE_DYNCREATE(CStringList)
    using CList::CList;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNCREATE(CMapStringToPtr)
    using CMap::CMap;
};
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_DYNCREATE(CMapStringToOb)
    using CMap::CMap;
};
class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_DYNCREATE(CMapStringToString)
    using CMap::CMap;
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNCREATE(CMapPtrToPtr)
    using CMap::CMap;
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNCREATE(CMapWordToPtr)
    using CMap::CMap;
};
