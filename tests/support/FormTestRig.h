#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/Module1.h"
#include "platform/Clipboard.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "platform/ProcessLauncher.h"
#include "platform/SettingsStore.h"
#include "support/TempFolder.h"
#include "views/ViewFactory.h"
#include "views/WindowSystem.h"
#include "windows/ClassicForm.h"
#include "windows/Forms.h"

namespace kestrix {

// One fake for every kind of control: it keeps what the window puts in it and
// lets the test act as the user. Like Qt's, a combo box shows the first item
// added to an empty list.
class FakeControl : public ButtonView,
                    public DriveListView,
                    public DirListView,
                    public FileListView,
                    public ComboBoxView {
public:
    void onClick(std::function<void()> handler) override { m_clicked = std::move(handler); }
    void click() { m_clicked(); }
    void setItems(const std::vector<std::string>& texts) override { items = texts; }
    void setCurrentIndex(int index) override { current = index; }
    void onPick(std::function<void(int)> handler) override { m_chosen = std::move(handler); }
    void pick(int index) {
        current = index;
        m_chosen(index);
    }
    void setEntries(const std::vector<DirEntry>& shown, int highlighted) override {
        entries = shown;
        current = highlighted;
    }
    void onOpen(std::function<void(int)> handler) override { m_chosen = std::move(handler); }
    void open(int index) { m_chosen(index); }  // a double click or Enter
    void setEntries(const std::vector<std::string>& names) override {
        items = names;
        current = -1;
    }
    std::optional<int> selectedIndex() const override {
        return current < 0 ? std::nullopt : std::optional(current);
    }
    void addItem(const std::string& item) override {
        text = items.empty() ? item : text;
        items.push_back(item);
    }
    void removeItem(int index) override { items.erase(items.begin() + index); }
    int count() const override { return static_cast<int>(items.size()); }
    std::string itemText(int index) const override { return items.at(index); }
    std::string editText() const override { return text; }
    void setEditText(const std::string& typed) override { text = typed; }
    void clear() override {
        items.clear();
        text.clear();
    }

    std::vector<std::string> items;  // drives, file names or combo box items
    std::vector<DirEntry> entries;
    int current = -1;  // the row shown as current, or the file the user selected
    std::string text;  // what the user picked or typed in a combo box

private:
    std::function<void()> m_clicked;
    std::function<void(int)> m_chosen;  // a row picked or opened
};

class FormTestRig;

// A window that only records: whether it is shown, modally and by whom, where
// it was moved. Its modal show runs the rig's modal steps at once, then
// closes the window by its frame unless they hid it.
class FakeWindow : public WindowView {
public:
    FakeWindow(FormTestRig& rig, const FormLayout& layout);
    void show() override {
        shown = true;
        owner = nullptr;
        onShow();
    }
    void showModal(WindowView& owner) override;
    void hide() override { shown = false; }
    TwipsSize outerSize() const override { return outer; }
    TwipsSize screenSize() const override { return {19200, 14400}; }
    void moveTo(float left, float top) override {
        movedTo =
            std::to_string(static_cast<int>(left)) + " " + std::to_string(static_cast<int>(top));
    }
    void onFrameClose(std::function<void()> handler) override { m_closed = std::move(handler); }
    void closeByFrame() {
        shown = false;
        m_closed();
    }

    bool shown = false;
    std::function<void()> onShow = [] {};  // what is seen as the window comes up
    WindowView* owner = nullptr;           // set by a modal show
    TwipsSize outer;
    std::string movedTo;  // "left top" in whole twips, once moved
    std::map<std::string, FakeControl> controls;

private:
    FormTestRig& m_rig;
    std::function<void()> m_closed;
};

// Everything a window test needs, in a temporary folder of its own: drives
// C: (labelled SYSTEM) and D: on folders there (and X:, whose folder is
// missing, so it is never ready), the windows on fake views, and the services as recording fakes: a
// settings store in memory, a message box answered at once, a clipboard (busy
// as when another program holds it), a process start that raises the failure
// it is given. No event loop runs: a modal show runs whileModal, the user's
// steps while the window is shown, then its frame closes it.
class FormTestRig : public ViewFactory,
                    public WindowSystem,
                    public SettingsStore,
                    public MessageBox,
                    public Clipboard,
                    public ProcessLauncher {
public:
    FormTestRig();

    FormViews create(const FormLayout& layout) override;
    void hideAllWindows() override {
        for (FakeWindow* window : m_windows) {
            window->hide();
        }
    }
    void quit(int exitCode) override { quitCodes.push_back(std::to_string(exitCode)); }
    void runPendingEvents() override { onPendingEvents(); }
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) const override {
        const auto found = values.find({application, section, key});
        return found == values.end() ? std::string() : found->second;
    }
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override {
        values[{application, section, key}] = value;
    }
    void show(const std::string& text) override { messages.push_back(text); }
    void clear() override {
        if (clipboardBusy) {
            throw PlatformError(521, "Can't open Clipboard");
        }
        clipboardText.reset();
    }
    void setText(const std::string& value) override { clipboardText = value; }
    void start(const ProgramStart& program) override {
        started.push_back(program.joined());  // as players type it
        if (launchFailure) {
            throw *launchFailure;
        }
    }

    // A folder on a drive, made with its parents; returns its Windows path.
    std::string makeFolder(const std::string& windowsPath);
    void makeFile(const std::string& windowsPath, const std::string& content = {});
    std::filesystem::path host(const std::string& windowsPath) const {
        return drives.toHost(windowsPath);
    }
    static FakeWindow& fake(const ClassicForm& form) {
        return static_cast<FakeWindow&>(form.window());
    }
    std::function<void()> whileModal = [] {};  // what the user does in a modal window
    std::vector<std::string> quitCodes;
    std::function<void()> onPendingEvents = [] {};
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::string> messages;
    bool clipboardBusy = false;
    std::optional<std::string> clipboardText;
    std::vector<std::string> started;
    std::optional<PlatformError> launchFailure;
    TempFolder root;
    DriveTable drives;
    HostFileOperations files;
    Module1 module;
    Forms forms;

private:
    std::vector<FakeWindow*> m_windows;
};

}  // namespace kestrix
