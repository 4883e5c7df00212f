#include "convert/Conversion.h"

#include "io/Error.h"

namespace drossel {

void RequireTextSize(std::int64_t bytes) {
    if (bytes > kMaxTextBytes) {
        throw DrosselError("its text would take more than the " + std::to_string(kMaxTextBytes) +
                           " bytes a text may have");
    }
}

void RequireSoundSize(std::int64_t bytes) {
    if (bytes > kMaxSoundBytes) {
        throw DrosselError("its " + std::to_string(bytes) + " bytes of sample data are more than the " +
                           std::to_string(kMaxSoundBytes) + " a sound may have");
    }
}

Progress& NoProgress() {
    class Silent : public Progress {
    public:
        void Status(const std::string&) override {}
        void Steps(int) override {}
        void Step(int) override {}
    };
    static Silent silent;
    return silent;
}

}  // namespace drossel
