// The window's pictures, drawn here with simple shapes: the program icon, the
// folder picture of the browse button and the toolbar images (32 by 32).
#pragma once

#include <QIcon>
#include <QImage>

namespace pagelark::ui::art {

// The program icon at `size` pixels square.
QImage ProgramIcon(int size);
QIcon ProgramIconSet();

// The browse button's folder, `size` pixels square.
QImage BrowseFolder(int size);

// The image of a toolbar button by its command ID; a null image for an
// unknown ID.
QImage ToolbarImage(int commandId);

inline constexpr int kToolbarImageSize = 32;

}  // namespace pagelark::ui::art
