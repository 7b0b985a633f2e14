#pragma once

#include <string>

namespace vela {

// One node of the public library's category tree.
struct ICategory
{
    std::wstring Name;
    std::wstring Code;
    // Empty at a root.
    std::wstring ParentCode;
    bool Leaf = false;
    // Whether the category or one below it holds a component matching the
    // keyword and conditions the tree was asked with.
    bool HasMatches = true;

    bool IsLeaf() const { return Leaf; }
};

} // namespace vela
