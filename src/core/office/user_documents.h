// Where a document handed to the user's word processor is kept: the user's
// documents directory, never the work directory that closing empties.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// The host directory of exported documents: $XDG_DOCUMENTS_DIR/Orvo, the
// documents directory of ~/.config/user-dirs.dirs, or ~/Documents/Orvo.
std::string UserDocumentsDir();

// A host path in UserDocumentsDir (created when missing) for a document
// named `fileName` that no file holds yet: "W_Denik.Rtf", then
// "W_Denik_2.Rtf", ... Nothing when the directory cannot be made.
std::optional<std::string> NewUserDocumentPath(std::string_view fileName);

// Writes the bytes as a new document there; its host path, or nothing.
std::optional<std::string> WriteUserDocument(std::string_view fileName, std::string_view bytes);

}  // namespace orvo
