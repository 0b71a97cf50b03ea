#include "app/errors.h"

#include "app/format.h"

namespace tarvex {

EListError::EListError(int index) : Exception(Format("List index out of bounds (%d)", index)) {}

}  // namespace tarvex
