#pragma once
// A tree of text items with icons, over the system's tree view. Nodes are
// the system's item handles; each carries a text, two icon indexes (normal
// and selected) and a pointer of the caller's. The order of the nodes is the
// order in which they are inserted. Derived trees hook in through the
// virtual Change, CanExpand, Delete, Click and the window creation and
// destruction hooks.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/WinControl.h"

struct TTreeNodeItem;                  // the system's item; never dereferenced
using TTreeNode = TTreeNodeItem*;      // null means no node (or the root level)

using TTVChangedEvent = std::function<void(TComponent& sender, TTreeNode node)>;
using TTVExpandingEvent = std::function<void(TComponent& sender, TTreeNode node, bool& allowExpansion)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    // Adds a node as the last child of parent; a null parent adds a root.
    TTreeNode AddChild(TTreeNode parent, const std::string& text, int32_t imageIndex = 0, int32_t selectedIndex = 0,
                       void* data = nullptr);
    // Inserts a node among the children of parent just before `before`, or
    // at the end when `before` is null.
    TTreeNode InsertChild(TTreeNode parent, TTreeNode before, const std::string& text, int32_t imageIndex = 0,
                          int32_t selectedIndex = 0, void* data = nullptr);
    // Deletes the node with everything below it; OnDeletion comes for each.
    void DeleteNode(TTreeNode node);
    void DeleteChildren(TTreeNode node);
    void Clear();
    // Orders the children of the node (the roots for null) by their text.
    void SortChildren(TTreeNode node);

    // Navigation; each gives null where there is no such node.
    TTreeNode FirstChild(TTreeNode node) const;   // the first root for null
    TTreeNode NextSibling(TTreeNode node) const;
    TTreeNode PrevSibling(TTreeNode node) const;
    TTreeNode ParentNode(TTreeNode node) const;
    TTreeNode NodeAt(int32_t x, int32_t y) const; // in client coordinates

    std::string NodeText(TTreeNode node) const;
    void SetNodeText(TTreeNode node, const std::string& text);
    void* NodeData(TTreeNode node) const;
    void SetNodeData(TTreeNode node, void* data);
    int32_t NodeImageIndex(TTreeNode node) const;
    int32_t NodeSelectedIndex(TTreeNode node) const;
    void SetNodeImages(TTreeNode node, int32_t imageIndex, int32_t selectedIndex);
    bool Expanded(TTreeNode node) const;
    // Expanding asks CanExpand (and so OnExpanding) first.
    void SetExpanded(TTreeNode node, bool on);
    // Scrolls and expands the tree so that the node can be seen.
    void MakeVisible(TTreeNode node);

    TTreeNode Selected() const;
    // Selecting raises OnChange when the selection moves.
    void SetSelected(TTreeNode node);

    // The image list (HIMAGELIST) the icon indexes refer to; the tree does not own it.
    void SetImageList(void* imageList);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool on);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool on);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool on);

    // Brackets a batch of changes: the tree is drawn once at the end.
    void BeginUpdate();
    void EndUpdate();

    TTVChangedEvent OnChange;        // the selection moved to node (null for none)
    TTVExpandingEvent OnExpanding;   // node is about to open; clear allowExpansion to refuse
    TTVChangedEvent OnDeletion;      // node is being deleted; its data can still be read

protected:
    void WindowParams(TCreateParams& params) override;
    void WindowCreated() override;
    // Runs as the window is going, before its nodes are deleted with it. The
    // tree's destructor destroys the window; a derived tree that wants this
    // hook (or Delete) at its own end destroys the window in its destructor.
    virtual void WindowDestroying() {}
    void HandleMessage(TMessage& message) override;
    // Space on the selected node chooses it as a click on it does; the
    // arrow keys only move the selection.
    bool HandleKey(uint16_t key, bool down) override;
    bool HandleNotify(void* header, intptr_t& result) override;
    void ColorChanged() override;
    void FontChanged() override;

    // The selection moved; raises OnChange. Not called while the window goes.
    virtual void Change(TTreeNode node);
    // The user or the program opens the node; raises OnExpanding.
    virtual bool CanExpand(TTreeNode node);
    // The node is being deleted; raises OnDeletion.
    virtual void Delete(TTreeNode node);

private:
    void* Window() const;
    uint32_t StyleBits() const;
    void ApplyStyle();
    void ApplyColors();

    void* imageList_ = nullptr;
    bool hideSelection_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool showButtons_ = true;
    bool windowGoing_ = false;     // the window is being destroyed
    bool expandingInCode_ = false; // SetExpanded already asked CanExpand
    int32_t updateCount_ = 0;
};
