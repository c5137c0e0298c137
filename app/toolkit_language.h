#pragma once
// The toolkit's own texts (the file dialog, an edit field's menu, the buttons
// of message boxes) in the program's language, Russian.

class QCoreApplication;

namespace kestrani {

// Installs the toolkit's Russian translations (Debian package
// qt6-translations-l10n); false where they are not installed, and the
// toolkit's texts stay English.
bool installToolkitTranslations(QCoreApplication& application);

}  // namespace kestrani
