#pragma once
// The picture files of the skinned window's buttons, and the text a user
// reads when one of them cannot be shown.

#include "text/ustring.h"

namespace prn::ui {

// "Button%.2d.%s.png" of tag × 10 + 1 (normal) or + 2 (highlighted) and the
// settings language suffix: Button11.EN.png, Button02.SC.png, Button101.TC.png.
ustring ButtonPictureName(int tag, bool hot, ustring_view languageSuffix);
ustring ClosePictureName(bool hot);     // Close1.png, Close2.png
ustring MinimisePictureName(bool hot);  // min1.png, min2.png

enum class PictureFault {
  Missing,     // no such file
  NotPicture,  // the extension names no picture format the window reads
  Damaged,     // the decoder refused the file's content
};

// True for the extensions of the formats the windows show (.png, .jpg,
// .jpeg, .gif, .bmp, .ico and the metafiles .wmf and .emf, any case).
bool HasPictureExtension(ustring_view file);
// .wmf or .emf: drawn by GDI rather than decoded.
bool IsMetafileName(ustring_view file);
bool IsEnhancedMetafileName(ustring_view file);

// A sentence naming the file and what is wrong with it.
ustring PictureErrorText(ustring_view file, PictureFault fault);

}  // namespace prn::ui
