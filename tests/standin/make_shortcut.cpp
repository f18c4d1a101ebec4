// Test helper: make_shortcut <shortcut.lnk> <target> writes a shell shortcut.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    if (FAILED(CoInitialize(NULL)))
        return 1;
    IShellLinkA *link = NULL;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  (void **)&link);
    if (SUCCEEDED(hr))
        hr = link->SetPath(argv[2]);
    IPersistFile *file = NULL;
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, (void **)&file);
    if (SUCCEEDED(hr)) {
        WCHAR name[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[1], -1, name, MAX_PATH);
        hr = file->Save(name, TRUE);
        file->Release();
    }
    if (link != NULL)
        link->Release();
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}
