// VrenkResult.h - the result codes the library's operations return.
#ifndef VRENK_RESULT_H
#define VRENK_RESULT_H

namespace VrenkGLWidge {

// Operations that can fail return 0 or one of these negative codes; the
// values are part of the interface and never change.
enum EResult : int {
  RESULT_OK = 0,
  // The icon image could not be loaded; a PNG file was opened but not
  // decoded.
  RESULT_IMAGE_NOT_LOADED = -1,
  // An item index out of range.
  RESULT_BAD_INDEX = -2,
  // A value outside the range an operation takes (a scale that is not a
  // finite number from above 0 to 16).
  RESULT_BAD_VALUE = -3,
  // Not found: a widge not registered, no item with the identifier, an
  // image or text not held.
  RESULT_NOT_FOUND = -4,
  // A null argument.
  RESULT_NULL_ARGUMENT = -5,
  // Already initialised.
  RESULT_ALREADY_INITIALISED = -6,
  // An operation this kind of object does not support.
  RESULT_NOT_SUPPORTED = -8,
  // A file could not be opened.
  RESULT_FILE_NOT_OPENED = -9,
};

}  // namespace VrenkGLWidge

#endif  // VRENK_RESULT_H
