// libFuzzer target: any bytes as a level file. The loader must refuse or load
// them without reading outside the file, and building both tree views over
// whatever it loaded must not fail either.

#include "container/LoadDat.h"
#include "container/ResourceTree.h"
#include "container/Session.h"
#include "container/UserInterface.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using namespace drossel;

class NullUserInterface : public UserInterface {
public:
    void SetStatusText(const std::string&) override {}
    std::string AskSavePath(const FileDialogRequest&) override { return {}; }
    std::string AskOpenPath(const FileDialogRequest&) override { return {}; }
    std::string BrowseForFolder(const std::string&) override { return {}; }
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void SetProgressMaximum(int) override {}
    void SetProgressValue(int) override {}
    void ProcessPendingEvents() override {}
    void Beep() override {}
    void FileWritten(const std::string&) override {}
    void LockForBatch(BatchLock, bool) override {}
    void SelectTreeNode(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/drossel-fuzz-" + std::to_string(::getpid()) + ".dat";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    Session session;
    NullUserInterface ui;
    if (OpenLevel(session, ui, path) == OpenResult::Loaded) {
        BuildNormalView(session, ui);
        BuildZephyrView(session, ui);
    }
    return 0;
}
