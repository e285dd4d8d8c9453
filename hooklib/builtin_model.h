// The model built into the library: the chosen strokes of all recorded people (stored as their
// reduced forms, quantised to bytes), every symbol's limit and bounds and the weights of the
// evidence, generated from the recordings by bench/make_model.sh into model_data.inc; the
// designed templates are added from the catalogue when the model is built.
#pragma once
#include <cstdint>

#include "recognizer.h"

namespace hooklib {

Model BuiltInModel();

// FNV-1a hash of the recordings file the built-in model was learned from.
uint32_t BuiltInModelSource();

}  // namespace hooklib
