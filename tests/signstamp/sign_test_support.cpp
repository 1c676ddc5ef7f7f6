#include "sign_test_support.h"

#include <cstdio>
#include <iterator>

#include "core/checked_file_writer.h"

namespace sign_test {

std::string Read_File(const CString& path)
{
    Input_File_Stream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write_File(const CString& path, const std::string& bytes)
{
    FILE* file = nullptr;
    if (!Open_File_For_Write(file, path))
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::unique_ptr<KV_Sign> Make_Sign(int32_t person_no, const wchar_t* name, int32_t code, double half)
{
    auto sign = std::make_unique<KV_Sign>();
    sign->Person_No = person_no;
    sign->Name = name;
    sign->Code = code;
    auto outer = std::make_unique<MyShape>();
    outer->Xs = {-half, half, half, -half};
    outer->Ys = {-half, -half, half, half};
    auto hole = std::make_unique<MyShape>();
    hole->Kind = 0;
    hole->Xs = {-half / 2, half / 2, half / 2, -half / 2};
    hole->Ys = {-half / 2, -half / 2, half / 2, half / 2};
    sign->Shapes.push_back(std::move(outer));
    sign->Shapes.push_back(std::move(hole));
    sign->Width = sign->Height = 2 * half;
    return sign;
}

}  // namespace sign_test
