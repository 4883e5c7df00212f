#include "extract/Unpack.h"

namespace drossel {

UnpackRoutine UnpackRoutineFor(std::string_view tag) {
    if (tag == "TXMP") return UnpackTxmp;
    if (tag == "SNDD") return UnpackSndd;
    if (tag == "BINA") return UnpackBina;
    if (tag == "OSBD") return UnpackOsbd;
    return UnpackGeneric;
}

}  // namespace drossel
