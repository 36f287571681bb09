#pragma once
// Path rules of the file commands: where a file chooser starts, and which file a name typed into
// the open chooser means.

#include <cstddef>
#include <string>

// The folder part of `path` ("/a/b/c.mis" gives "/a/b"; "/c.mis" gives "/"); empty for a name
// without a folder or an empty path.
std::string file_FolderOf(const std::string& path);

// Where a chooser for a page whose file is `pageFile` (its mission_file; may be empty) starts:
// for saving, the page's file itself (its folder, with the name offered); for anything else, the
// folder of that file. Empty when the page has no file or its folder no longer exists: the
// chooser then starts in the folder it was last used in.
std::string file_SaveChooserStart(const std::string& pageFile);
std::string file_ChooserStart(const std::string& pageFile);

// What a name chosen in the open chooser means.
struct OpenTarget {
    std::string path; // the file to open or to create
    bool exists = false;
};

// The file `chosen` names, with `defaultExtension` ("mis", without the dot; may be empty) applied
// as the open chooser applies it: a name whose last part has no extension means that name with
// the extension when such a file exists, else the name itself when it exists; when neither
// exists it means a new file with the extension. A name with an extension is taken as it stands.
OpenTarget file_ResolveOpenPath(const std::string& chosen, const std::string& defaultExtension);

// The whole path of a page's file. `field` is the page's mission_file, which keeps at most
// `fieldLimit` characters of a path; `stored` is the whole path last stored in it. `stored` while
// the field still holds exactly its beginning; else the field itself when it is shorter than
// the limit (so it cannot have been cut); else empty: a path that may have been cut is never
// taken for the file, since writing to it could land on another file.
std::string file_WholePath(const std::string& field, size_t fieldLimit, const std::string& stored);
