// What shows the project to the user: its three lists, its folders and the window captions.
#pragma once

#include <string>
#include <vector>

namespace orvel {

// A visible list kept in step with one of the project's lists: same entries, same order.
class TProjectListView {
public:
    virtual ~TProjectListView() = default;
    virtual void Append(const std::string& Text) = 0;
    virtual void Insert(int Index, const std::string& Text) = 0;
    virtual void Delete(int Index) = 0;
    // Empties the view as one batched update.
    virtual void Clear() = 0;
    virtual int Count() const = 0;
};

// The labels and captions that show the project's folders and name.
class TProjectDisplay {
public:
    virtual ~TProjectDisplay() = default;
    virtual void ShowHomeDir(const std::string& HomeDir) = 0;
    virtual void ShowServerRoot(const std::string& Text) = 0;
    virtual void ShowCaptions(const std::string& MainCaption,
                              const std::string& ProjectCaption) = 0;
};

// A view that only keeps its entries, until a window shows them.
class TPlainListView : public TProjectListView {
public:
    void Append(const std::string& Text) override { Items.push_back(Text); }
    void Insert(int Index, const std::string& Text) override {
        Items.insert(Items.begin() + Index, Text);
    }
    void Delete(int Index) override { Items.erase(Items.begin() + Index); }
    void Clear() override { Items.clear(); }
    int Count() const override { return static_cast<int>(Items.size()); }

    std::vector<std::string> Items;
};

// Keeps the last texts shown.
class TPlainProjectDisplay : public TProjectDisplay {
public:
    void ShowHomeDir(const std::string& Text) override { HomeDirLabel = Text; }
    void ShowServerRoot(const std::string& Text) override { ServerRootLabel = Text; }
    void ShowCaptions(const std::string& Main, const std::string& Project) override {
        MainCaption = Main;
        ProjectCaption = Project;
    }

    std::string HomeDirLabel, ServerRootLabel;
    std::string MainCaption = "Orvel(UO)", ProjectCaption = "プロジェクト情報";
};

} // namespace orvel
