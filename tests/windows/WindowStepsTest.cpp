#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "platform/Rows.h"
#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

using Step = std::vector<std::string>;

// One scenario of window-steps.txt played by the user on a fresh rig. The
// steps after a window opens modally are taken in it, until "close" closes
// it by its frame; a window that does not open leaves them to its owner.
class Scenario {
public:
    explicit Scenario(std::vector<Step> steps) : m_steps(std::move(steps)) {
        m_rig.whileModal = [this] { play(); };
        // Only the installer lets the window redraw, after a drive change.
        m_rig.onPendingEvents = [this] { m_events.push_back(m_rig.forms.form2().Dir2.path()); };
    }

    void run() {
        while (m_next < m_steps.size()) {
            play();
        }
    }

private:
    void play() {
        while (m_next < m_steps.size() && m_steps[m_next][0] != "close") {
            take(m_steps[m_next++]);
        }
        ++m_next;
    }

    void take(Step step) {
        step.resize(3);
        const std::string& verb = step[0];
        const std::string& name = step[1];
        const std::string& value = step[2];
        FormTestRig& rig = m_rig;
        if (verb == "setting") {
            rig.save("KESTRIX", name, "Path", value);
        } else if (verb == "game") {
            rig.module.state().GameDir = rig.makeFolder(name);
        } else if (verb == "folder") {
            rig.makeFolder(name);
        } else if (verb == "file") {  // its lines separated by "|"
            rig.makeFile(name, joined(listOf(value), "\r\n"));
        } else if (verb == "host-name") {  // a folder named as the host spells it, in UTF-8
            std::filesystem::create_directory(rig.host(name) /
                                              std::u8string(value.begin(), value.end()));
        } else if (verb == "remove") {
            std::filesystem::remove(rig.host(name));
        } else if (verb == "launch-fails") {
            rig.launchFailure = PlatformError(std::stoi(name), value);
        } else if (verb == "clipboard-busy") {
            rig.clipboardBusy = true;
        } else if (verb == "first") {
            form(name).showFirst();
        } else if (verb == "modal") {  // owned by the main window, as when the user goes on
            form(name).showModal(rig.forms.form1());
        } else if (verb == "frame") {
            FormTestRig::fake(form(name)).closeByFrame();
        } else if (verb == "hide") {
            FormTestRig::fake(form(name)).hide();
        } else if (verb == "click") {
            FormTestRig::fake(form(name)).controls.at(value).click();
        } else if (verb == "pick") {
            control(name).pick(std::stoi(value));
        } else if (verb == "open") {
            control(name).open(std::stoi(value));
        } else if (verb == "select") {
            control(name).current = std::stoi(value);
        } else if (verb == "add") {
            control(name).addItem(value);
        } else if (verb == "type") {
            control(name).text = value;
        } else if (verb == "end") {
            rig.module.EndProgram();
        } else if (verb == "raise") {  // an error no handler traps
            rig.module.runHandler([&] {
                if (name == "number") {
                    throw PlatformError(std::stoi(value));
                }
                if (name == "exception") {
                    throw std::runtime_error(value);
                }
                throw 42;
            });
        } else if (verb == "expect") {
            EXPECT_EQ(observe(name), joined(listOf(value == "-" ? "" : value)))
                << "step " << m_next << ": expect " << name;
        } else {
            ADD_FAILURE() << "no such step: " << verb;
        }
    }

    // What the user, the system or the settings show, as the step's text.
    std::string observe(const std::string& what) {
        FormTestRig& rig = m_rig;
        const std::string kind = what.substr(0, what.find(' '));
        const std::string name = what.substr(what.find(' ') + 1);
        const std::map<std::string, const std::vector<std::string>*> records{
            {"messages", &rig.messages},
            {"started", &rig.started},
            {"quit", &rig.quitCodes},
            {"events", &m_events}};
        std::vector<std::string> seen;
        if (records.contains(what)) {
            return joined(*records.at(what));
        } else if (what == "clipboard") {
            return rig.clipboardText.value_or("");
        } else if (what == "shown") {
            for (const std::string shown : {"Form1", "Form2", "Form3"}) {
                const FakeWindow& window = FormTestRig::fake(form(shown));
                std::string owner;
                for (const std::string other : {"Form1", "Form2", "Form3"}) {
                    owner = window.owner == &form(other).window() ? "<" + other : owner;
                }
                if (window.shown) {
                    seen.push_back(shown + owner);
                }
            }
        } else if (kind == "setting") {
            return rig.get("KESTRIX", name, "Path");
        } else if (kind == "exists") {
            return std::filesystem::exists(rig.host(name)) ? "yes" : "no";
        } else if (kind == "moved") {
            return FormTestRig::fake(form(name)).movedTo;
        } else if (kind == "rows") {  // a folder list's rows: "+" marks an open folder
            const FakeControl& list = control(name);
            for (const DirEntry& entry : list.entries) {
                const bool current = seen.size() == static_cast<std::size_t>(list.current);
                seen.push_back(entry.text + " " + std::to_string(entry.depth) +
                               (entry.open ? "+" : "") + (current ? "*" : ""));
            }
        } else if (kind == "chosen") {
            return control(name).text;
        } else if (what == "Dir1" || what == "Dir2") {
            return (what == "Dir1" ? rig.forms.form1().Dir1 : rig.forms.form2().Dir2).path();
        } else if (what.starts_with("Drive")) {  // its letter: a root's host path varies
            return control(what).items.at(control(what).current).substr(0, 2);
        } else {
            return joined(control(what).items);
        }
        return joined(seen);
    }

    ClassicForm& form(const std::string& name) {
        Forms& forms = m_rig.forms;
        return name == "Form1"
                   ? static_cast<ClassicForm&>(forms.form1())
                   : (name == "Form2" ? static_cast<ClassicForm&>(forms.form2()) : forms.form3());
    }
    FakeControl& control(const std::string& name) {
        static const std::map<std::string, std::string> owners{
            {"Dir1", "Form1"},  {"Drive1", "Form1"}, {"Dir2", "Form2"},
            {"File1", "Form2"}, {"Drive2", "Form2"}, {"Combo1", "Form3"}};
        return FormTestRig::fake(form(owners.at(name))).controls.at(name);
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::vector<std::string> m_events;
    FormTestRig m_rig;
};

// Each scenario begins with a "scenario" row naming it.
TEST(Windows, FollowTheScenariosOfWindowSteps) {
    const std::vector<Step> rows = rowsOf("window-steps.txt");
    for (auto begin = rows.begin(); begin != rows.end();) {
        const auto end = std::find_if(begin + 1, rows.end(),
                                      [](const Step& row) { return row[0] == "scenario"; });
        SCOPED_TRACE(begin->at(1));
        Scenario(std::vector<Step>(begin + 1, end)).run();
        begin = end;
    }
}

}  // namespace
