#include "base/errors.h"

#include "base/format.h"

namespace tarvex {

EListError::EListError(int index) : Exception(Format("List index out of bounds (%d)", index)) {}

}  // namespace tarvex
