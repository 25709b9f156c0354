// A panel whose listing is built in memory, in view order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "panel.h"

struct Item {
    const wchar_t* name;
    bool directory;
    uint64_t size;
    bool sizeKnown;
};

class MemoryPanel {
public:
    // With parent, ".." comes first, as in a listing below a root.
    MemoryPanel(const std::vector<Item>& items, bool parent) : panel_(PanelCreate(0, L"C:\\")) {
        if (parent) AddEntry(Item{L"..", true, 0, false}, EF_PARENT);
        for (const Item& item : items) AddEntry(item, 0);
    }
    ~MemoryPanel() { PanelDestroy(panel_); }
    MemoryPanel(const MemoryPanel&) = delete;
    MemoryPanel& operator=(const MemoryPanel&) = delete;

    Panel* get() const { return panel_; }
    Panel* operator->() const { return panel_; }

    // Names of the selected entries, in view order.
    std::vector<std::wstring> Selected() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < panel_->total; i++)
            if (panel_->view[i]->flags & EF_SELECTED) out.push_back(panel_->view[i]->name);
        return out;
    }
    std::vector<int> SelectedPositions() const {
        std::vector<int> out;
        for (int i = 0; i < panel_->total; i++)
            if (panel_->view[i]->flags & EF_SELECTED) out.push_back(i);
        return out;
    }
    bool IsSelected(int position) const { return (panel_->view[position]->flags & EF_SELECTED) != 0; }

private:
    void AddEntry(const Item& item, DWORD extra) {
        names_.push_back(item.name);
        PanelEntry* e = panel_->pool[panel_->total];
        *e = PanelEntry{};
        e->name = names_.back().c_str();
        e->sortText = e->name;
        e->sizeText = L"";
        e->typeText = L"";
        e->dosName = L"";
        e->flags = extra | (item.directory ? EF_DIRECTORY : 0) | (item.sizeKnown ? EF_SIZE_KNOWN : 0);
        e->attributes = item.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        e->size = item.size;
        panel_->view[panel_->total++] = e;
        if (item.directory) panel_->dirCount++;
        else panel_->fileCount++;
    }

    Panel* panel_;
    std::deque<std::wstring> names_;
};

// n files named f00, f01, ... of 10 bytes each.
inline std::vector<Item> Files(int n) {
    static std::deque<std::wstring> names;
    std::vector<Item> out;
    for (int i = 0; i < n; i++) {
        wchar_t name[8];
        swprintf(name, 8, L"f%02d", i);
        names.push_back(name);
        out.push_back(Item{names.back().c_str(), false, 10, false});
    }
    return out;
}
