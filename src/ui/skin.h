#pragma once
// The program's skin: its own style sheet, carried as a resource.

class QApplication;

namespace plandesk {

// Gives every window of the application the program's look. Called once,
// after a successful login; a missing style sheet leaves the plain look.
void attach_skin(QApplication& app);

}  // namespace plandesk
