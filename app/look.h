#pragma once

class QApplication;

namespace tallyra {

// The silver look of every window: Fusion with a silver palette, control frames in
// RGB (198, 196, 215), and the program's icon.
void ApplyLook(QApplication& app);

// Maps the faces the forms name to installed fonts when the faces themselves are
// missing: "宋体" to SimSun (as some Windows versions name it) or AR PL UMing (Linux),
// "楷体_GB2312" to KaiTi or AR PL UKai.
void MapFonts();

// Registers the pictures, icons and sound compiled into the program.
void InitResources();

}  // namespace tallyra
