#include "app/Module1.h"

#include <exception>

#include "app/SettingsKeys.h"
#include "platform/ErrorNumber.h"
#include "platform/MessageBox.h"
#include "platform/PlatformError.h"
#include "platform/SettingsStore.h"
#include "views/WindowSystem.h"

namespace kestrix {

Module1::Module1(PlatformServices services, WindowSystem& windowSystem)
    : m_services(services), m_windowSystem(windowSystem) {}

namespace {

const char* sectionOf(RememberedFolder folder) {
    return folder == RememberedFolder::Game ? SettingsKeys::GameDirSection
                                            : SettingsKeys::PackageDirSection;
}

}  // namespace

std::string Module1::stored(RememberedFolder folder) const {
    return m_services.settings.get(SettingsKeys::Application, sectionOf(folder), SettingsKeys::Key);
}

void Module1::store(RememberedFolder folder, const std::string& dir) {
    m_services.settings.save(SettingsKeys::Application, sectionOf(folder), SettingsKeys::Key, dir);
}

void Module1::runHandler(const std::function<void()>& handler) {
    if (m_ending) {
        return;
    }
    try {
        handler();
    } catch (const PlatformError& error) {
        FatalErrorReport(error);
    } catch (const std::exception& error) {
        FatalErrorReport(PlatformError(ErrorNumber::InternalError, error.what()));
    } catch (...) {
        FatalErrorReport(PlatformError(ErrorNumber::InternalError));
    }
}

void Module1::EndProgram() {
    endWith(0);
}

void Module1::FatalErrorReport(const PlatformError& error) {
    if (m_ending) {
        return;
    }
    m_services.messageBox.show("Run-time error '" + std::to_string(error.number()) + "':\n\n" +
                               error.description());
    endWith(1);
}

void Module1::endWith(int exitCode) {
    if (m_ending) {
        return;
    }
    m_ending = true;
    // Hiding, unlike closing, runs no handler, and it ends the nested loop of
    // every window shown modally.
    m_windowSystem.hideAllWindows();
    m_windowSystem.quit(exitCode);
}

}  // namespace kestrix
