// A running instance in its own process for the tests: claims the instance of its own program
// in the runtime folder argv[1] ("default": the user's own, as the program chooses it), serves
// with the title argv[2], appends every request it handles to the file argv[3] and writes
// "ready" there once it serves. Runs until killed.
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"
#include "platform/services/instance/SingleInstance.h"

#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

class Recorder final : public platform::services::InstanceRequests {
public:
    Recorder(std::string title, std::string file) : title_(std::move(title)), file_(std::move(file)) {}
    std::string title() override { return title_; }
    void raise() override { note("raise"); }
    void handOver() override { note("handover"); }
    void note(const char* word) { std::ofstream(file_, std::ios::app) << word << "\n"; }

private:
    std::string title_;
    std::string file_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string folder = argv[1];
    auto instance = platform::services::makeSingleInstance(
        platform::services::programOfSelf(), folder == "default"
                                                 ? platform::services::defaultRuntimeFolder()
                                                 : std::filesystem::path(folder));
    Recorder recorder(argv[2], argv[3]);
    if (!instance || !instance->claim() || !instance->serve(recorder))
        return 3;
    recorder.note("ready");
    for (;;) ::pause();
}
