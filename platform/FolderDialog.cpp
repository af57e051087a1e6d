#include "platform/FolderDialog.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/Unique.h"

namespace platform {

namespace {

template <class T>
void Release(T* object) {
    object->Release();
}
template <class T>
using ComPointer = Unique<T*, Release<T>>;

// The dialog runs on this thread's apartment, made for it and left as it was.
class Apartment {
public:
    Apartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~Apartment() {
        if (initialised_) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    bool initialised_;
};

// Only the file system's paths are asked for: on Windows a share typed into the dialog's name field,
// \\server\share\..., is one. Wine 8's dialog refuses a typed share ("does not exist") and its older folder dialog
// (SHBrowseForFolderW) silently returns the tree's selection instead of a typed path: there a share is given where
// the program takes one typed (the settings window's field, the hall's console's command line).
std::optional<std::wstring> Chosen(IFileOpenDialog& dialog) {
    IShellItem* raw = nullptr;
    if (FAILED(dialog.GetResult(&raw))) return std::nullopt;
    const ComPointer<IShellItem> item(raw);
    wchar_t* path = nullptr;
    if (FAILED(item.get()->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
    std::wstring chosen(path);
    CoTaskMemFree(path);
    return chosen;
}

}  // namespace

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& start, const wchar_t* title) {
    const Apartment apartment;
    IFileOpenDialog* raw = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw))))
        return std::nullopt;
    const ComPointer<IFileOpenDialog> dialog(raw);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.get()->GetOptions(&options);
    // A folder that does not exist yet may be named: the check that follows says whether PC1 can make it.
    dialog.get()->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    dialog.get()->SetTitle(title);
    IShellItem* startItem = nullptr;
    if (!start.empty() && SUCCEEDED(SHCreateItemFromParsingName(start.c_str(), nullptr, IID_PPV_ARGS(&startItem)))) {
        const ComPointer<IShellItem> folder(startItem);
        dialog.get()->SetFolder(folder.get());
    }
    if (FAILED(dialog.get()->Show(owner))) return std::nullopt;
    return Chosen(*dialog.get());
}

}  // namespace platform
