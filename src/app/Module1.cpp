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

std::string Module1::storedGameDir() const {
    return m_services.settings.get(SettingsKeys::Application, SettingsKeys::GameDirSection,
                                   SettingsKeys::Key);
}

void Module1::storeGameDir(const std::string& dir) {
    m_services.settings.save(SettingsKeys::Application, SettingsKeys::GameDirSection,
                             SettingsKeys::Key, dir);
}

std::string Module1::storedPackageDir() const {
    return m_services.settings.get(SettingsKeys::Application, SettingsKeys::PackageDirSection,
                                   SettingsKeys::Key);
}

void Module1::storePackageDir(const std::string& dir) {
    m_services.settings.save(SettingsKeys::Application, SettingsKeys::PackageDirSection,
                             SettingsKeys::Key, dir);
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
