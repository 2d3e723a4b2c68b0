#include "platform/ui/TreeView.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/WideText.h"
#include "platform/win32/ui/StandardControls.h"

using namespace platform::ui;

namespace {

// Posted to the tree when the user clicked it; see NM_CLICK below.
constexpr UINT kDeferredClick = WM_APP + 0x4B31;

HTREEITEM AsItem(TTreeNode node) { return reinterpret_cast<HTREEITEM>(node); }
TTreeNode AsNode(HTREEITEM item) { return reinterpret_cast<TTreeNode>(item); }
TTreeNode AsNode(LRESULT item) { return reinterpret_cast<TTreeNode>(item); }

}  // namespace

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

// The nodes go with the window while this tree can still hear of their deletion.
TTreeView::~TTreeView() { DestroyWindowHandle(); }

void* TTreeView::Window() const {
    return HandleAllocated() ? const_cast<TTreeView*>(this)->Handle() : nullptr;
}

TTreeNode TTreeView::AddChild(TTreeNode parent, const std::string& text, int32_t imageIndex, int32_t selectedIndex,
                              void* data) {
    return InsertChild(parent, nullptr, text, imageIndex, selectedIndex, data);
}

TTreeNode TTreeView::InsertChild(TTreeNode parent, TTreeNode before, const std::string& text, int32_t imageIndex,
                                 int32_t selectedIndex, void* data) {
    std::wstring wide = platform::Wide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? AsItem(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    if (before) insert.hInsertAfter = PrevSibling(before) ? AsItem(PrevSibling(before)) : TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.iImage = imageIndex;
    insert.item.iSelectedImage = selectedIndex;
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    return AsNode(SendMessageW(static_cast<HWND>(Handle()), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TTreeView::DeleteNode(TTreeNode node) {
    if (node && Window()) SendMessageW(static_cast<HWND>(Window()), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(AsItem(node)));
}

void TTreeView::DeleteChildren(TTreeNode node) {
    while (TTreeNode child = FirstChild(node)) DeleteNode(child);
}

void TTreeView::Clear() {
    if (Window()) SendMessageW(static_cast<HWND>(Window()), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TTreeView::SortChildren(TTreeNode node) {
    if (Window()) SendMessageW(static_cast<HWND>(Window()), TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(node ? AsItem(node) : TVI_ROOT));
}

namespace {

TTreeNode NextItem(void* window, TTreeNode node, UINT relation) {
    if (!window) return nullptr;
    return AsNode(SendMessageW(static_cast<HWND>(window), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(AsItem(node))));
}

}  // namespace

TTreeNode TTreeView::FirstChild(TTreeNode node) const {
    return node ? NextItem(Window(), node, TVGN_CHILD) : NextItem(Window(), nullptr, TVGN_ROOT);
}

TTreeNode TTreeView::NextSibling(TTreeNode node) const { return node ? NextItem(Window(), node, TVGN_NEXT) : nullptr; }

TTreeNode TTreeView::PrevSibling(TTreeNode node) const { return node ? NextItem(Window(), node, TVGN_PREVIOUS) : nullptr; }

TTreeNode TTreeView::ParentNode(TTreeNode node) const { return node ? NextItem(Window(), node, TVGN_PARENT) : nullptr; }

TTreeNode TTreeView::NodeAt(int32_t x, int32_t y) const {
    if (!Window()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    SendMessageW(static_cast<HWND>(Window()), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? AsNode(hit.hItem) : nullptr;
}

std::string TTreeView::NodeText(TTreeNode node) const {
    if (!node || !Window()) return {};
    // The system copies as much as fits: grow the buffer until the text fits with room to spare.
    for (size_t size = 256;; size *= 4) {
        std::wstring buffer(size, L'\0');
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = AsItem(node);
        item.pszText = buffer.data();
        item.cchTextMax = int(size);
        if (!SendMessageW(static_cast<HWND>(Window()), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
        // The control may hand back its own copy instead of filling the buffer.
        const size_t length = wcslen(item.pszText);
        if (length + 1 < size || size >= (1u << 20)) return platform::Utf8Of(item.pszText, length);
    }
}

void TTreeView::SetNodeText(TTreeNode node, const std::string& text) {
    if (!node || !Window()) return;
    std::wstring wide = platform::Wide(text);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = AsItem(node);
    item.pszText = wide.data();
    SendMessageW(static_cast<HWND>(Window()), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

namespace {

TVITEMW ItemOf(void* window, TTreeNode node, UINT mask) {
    TVITEMW item{};
    item.mask = mask;
    item.hItem = AsItem(node);
    item.stateMask = TVIS_EXPANDED;
    if (window && node) SendMessageW(static_cast<HWND>(window), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

}  // namespace

void* TTreeView::NodeData(TTreeNode node) const { return reinterpret_cast<void*>(ItemOf(Window(), node, TVIF_PARAM).lParam); }

void TTreeView::SetNodeData(TTreeNode node, void* data) {
    if (!node || !Window()) return;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = AsItem(node);
    item.lParam = reinterpret_cast<LPARAM>(data);
    SendMessageW(static_cast<HWND>(Window()), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int32_t TTreeView::NodeImageIndex(TTreeNode node) const { return ItemOf(Window(), node, TVIF_IMAGE).iImage; }

int32_t TTreeView::NodeSelectedIndex(TTreeNode node) const {
    return ItemOf(Window(), node, TVIF_SELECTEDIMAGE).iSelectedImage;
}

void TTreeView::SetNodeImages(TTreeNode node, int32_t imageIndex, int32_t selectedIndex) {
    if (!node || !Window()) return;
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = AsItem(node);
    item.iImage = imageIndex;
    item.iSelectedImage = selectedIndex;
    SendMessageW(static_cast<HWND>(Window()), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeView::Expanded(TTreeNode node) const {
    return node && (ItemOf(Window(), node, TVIF_STATE).state & TVIS_EXPANDED) != 0;
}

// The system asks the parent before it opens a node only when the user does
// it, and not reliably when the program does: the program's expansion asks
// here and the system's question is then not passed on.
void TTreeView::SetExpanded(TTreeNode node, bool on) {
    if (!node || !Window() || on == Expanded(node)) return;
    if (on && !CanExpand(node)) return;
    expandingInCode_ = true;
    SendMessageW(static_cast<HWND>(Window()), TVM_EXPAND, on ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(AsItem(node)));
    expandingInCode_ = false;
}

void TTreeView::MakeVisible(TTreeNode node) {
    if (node && Window()) SendMessageW(static_cast<HWND>(Window()), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(AsItem(node)));
}

TTreeNode TTreeView::Selected() const { return NextItem(Window(), nullptr, TVGN_CARET); }

void TTreeView::SetSelected(TTreeNode node) {
    SendMessageW(static_cast<HWND>(Handle()), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(AsItem(node)));
}

void TTreeView::SetImageList(void* imageList) {
    imageList_ = imageList;
    if (Window()) SendMessageW(static_cast<HWND>(Window()), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(imageList));
}

void TTreeView::SetHideSelection(bool on) {
    hideSelection_ = on;
    ApplyStyle();
}

void TTreeView::SetShowLines(bool on) {
    showLines_ = on;
    ApplyStyle();
}

void TTreeView::SetShowRoot(bool on) {
    showRoot_ = on;
    ApplyStyle();
}

void TTreeView::SetShowButtons(bool on) {
    showButtons_ = on;
    ApplyStyle();
}

uint32_t TTreeView::StyleBits() const {
    uint32_t style = 0;
    if (!hideSelection_) style |= TVS_SHOWSELALWAYS;
    if (showLines_) style |= TVS_HASLINES;
    if (showRoot_) style |= TVS_LINESATROOT;
    if (showButtons_) style |= TVS_HASBUTTONS;
    return style;
}

void TTreeView::ApplyStyle() {
    if (!Window()) return;
    HWND window = static_cast<HWND>(Window());
    constexpr LONG kOwnBits = TVS_SHOWSELALWAYS | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS;
    SetWindowLongW(window, GWL_STYLE, (GetWindowLongW(window, GWL_STYLE) & ~kOwnBits) | LONG(StyleBits()));
    InvalidateRect(window, nullptr, TRUE);
}

void TTreeView::BeginUpdate() {
    if (updateCount_++ == 0 && Window()) SendMessageW(static_cast<HWND>(Window()), WM_SETREDRAW, FALSE, 0);
}

void TTreeView::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0 || !Window()) return;
    HWND window = static_cast<HWND>(Window());
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

void TTreeView::WindowParams(TCreateParams& params) {
    EnsureCommonControls();
    TWinControl::WindowParams(params);
    params.ClassName = WC_TREEVIEWA;
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
    params.Style |= StyleBits();
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::WindowCreated() {
    TWinControl::WindowCreated();
    windowGoing_ = false;
    if (imageList_) SetImageList(imageList_);
    ApplyColors();
    if (updateCount_ > 0) SendMessageW(static_cast<HWND>(Handle()), WM_SETREDRAW, FALSE, 0);
}

void TTreeView::ColorChanged() {
    ApplyColors();
    TWinControl::ColorChanged();
}

void TTreeView::FontChanged() {
    TWinControl::FontChanged();
    ApplyColors();
}

// The system's colours stay the system's own (and follow its changes).
void TTreeView::ApplyColors() {
    if (!Window()) return;
    HWND window = static_cast<HWND>(Window());
    SendMessageW(window, TVM_SETBKCOLOR, 0, Color() == clWindow ? LPARAM(-1) : LPARAM(ColorToRGB(Color())));
    SendMessageW(window, TVM_SETTEXTCOLOR, 0,
                 Font().Color() == clWindowText ? LPARAM(-1) : LPARAM(ColorToRGB(Font().Color())));
}

void TTreeView::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case kDeferredClick:
            Click();
            return;
        case WM_DESTROY:
            windowGoing_ = true;
            WindowDestroying();
            break;
        default:
            break;
    }
    TWinControl::HandleMessage(message);
}

bool TTreeView::HandleKey(uint16_t key, bool down) {
    if (key != vkSpace) return false;
    if (down && Selected()) Click();
    return true;
}

bool TTreeView::HandleNotify(void* header, intptr_t& result) {
    // Either form of a notification may come; the fields read here lie alike in both.
    const auto* notify = static_cast<const NMTREEVIEWW*>(header);
    switch (notify->hdr.code) {
        case NM_CLICK:
            // The system reports the click before it moves the selection to
            // the clicked node; the click is raised once that has happened.
            PostMessageW(static_cast<HWND>(Handle()), kDeferredClick, 0, 0);
            return false;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            if (!windowGoing_) Change(AsNode(notify->itemNew.hItem));
            return true;
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDINGW:
            result = 0;
            if ((notify->action & TVE_EXPAND) && !expandingInCode_ && !windowGoing_)
                result = CanExpand(AsNode(notify->itemNew.hItem)) ? 0 : 1;
            return true;
        case TVN_DELETEITEMA:
        case TVN_DELETEITEMW:
            Delete(AsNode(notify->itemOld.hItem));
            return true;
        default:
            return false;
    }
}

void TTreeView::Change(TTreeNode node) {
    if (OnChange) OnChange(*this, node);
}

bool TTreeView::CanExpand(TTreeNode node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(*this, node, allow);
    return allow;
}

void TTreeView::Delete(TTreeNode node) {
    if (OnDeletion) OnDeletion(*this, node);
}
