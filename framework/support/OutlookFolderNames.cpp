// Full folder names.
#include "framework/support/OutlookFolderNames.h"

#include "platform/com/LateBound.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/rtl/Exception.h"

#include <vector>

std::u16string GetFullFolderName(IDispatch* Folder) {
    std::vector<std::u16string> names; // innermost first
    try {
        ComPtr<IDispatch> folder = ComPtr<IDispatch>::Share(Folder);
        // A folder tree deeper than this is no tree but a cycle.
        constexpr size_t maxDepth = 1000;
        while (folder && names.size() < maxDepth) {
            names.push_back(dispGet(folder, "Name").AsWide());
            Variant parent = dispGet(folder, "Parent");
            ComPtr<IDispatch> next;
            if (!parent.IsEmptyOrNothing()) {
                ComPtr<IUnknown> object = parent.AsUnknown();
                if (object)
                    object->QueryInterface(outlook::IID_MAPIFolder, next.ReceiveVoid());
            }
            folder = next;
        }
    } catch (const Exception&) {
        // What was gathered so far.
    }
    std::u16string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        if (!path.empty())
            path += u'\\';
        path += *name;
    }
    return path;
}
