#pragma once
// Helpers for the tests of the folder tree and the folder chooser: folders
// with attributes, the captions below a node and clicks on a node.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/win32/WideText.h"
#include "shell/DirTree.h"
#include "tests/win32/WindowChecks.h"

inline void MakeFolder(const std::string& path, DWORD attributes = 0) {
    ASSERT_TRUE(platform::CreateDir(path)) << path;
    if (attributes) {
        ASSERT_TRUE(SetFileAttributesW(platform::FilePath(path).c_str(), attributes)) << path;
        ASSERT_EQ(GetFileAttributesW(platform::FilePath(path).c_str()) & attributes, attributes) << path;
    }
}

inline std::vector<std::string> ChildCaptions(const TDirTree& tree, TTreeNode node) {
    std::vector<std::string> captions;
    for (TTreeNode child = tree.FirstChild(node); child; child = tree.NextSibling(child))
        captions.push_back(tree.NodeText(child));
    return captions;
}

// A press and release of the left button on the node's text, as the user makes it.
inline void ClickNode(TDirTree& tree, TTreeNode node) {
    RECT r{};
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(node);
    std::memcpy(&r, &item, sizeof item);
    ASSERT_TRUE(SendMessageW(WindowOf(tree), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
    const LPARAM at = MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2);
    PostMessageW(WindowOf(tree), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(WindowOf(tree), WM_LBUTTONUP, 0, at);
}
