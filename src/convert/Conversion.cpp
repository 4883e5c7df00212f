#include "convert/Conversion.h"

namespace drossel {

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
