#pragma once

class QApplication;

namespace tallyra {

// The silver look of every window: Fusion with a silver palette, control frames in
// RGB (198, 196, 215).
void ApplyLook(QApplication& app);

// Maps the faces the forms name to installed fonts when the faces themselves are
// missing, as on Linux: "宋体" to AR PL UMing, "楷体_GB2312" to AR PL UKai.
void MapFonts();

// Registers the pictures, icons and sound compiled into the program.
void InitResources();

}  // namespace tallyra
