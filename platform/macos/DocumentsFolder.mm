#include "DocumentsFolder.h"

#import <Foundation/Foundation.h>

// Built without ARC: everything here is autoreleased, so the caller's pool (or the run
// loop's) frees it.
namespace orv::platform
{

std::vector<std::string> UserDocumentFolderURLs()
{
    std::vector<std::string> urls;
    NSArray* found = [[NSFileManager defaultManager] URLsForDirectory:NSDocumentDirectory
                                                            inDomains:NSUserDomainMask];
    // By index: GCC's Objective-C++, which checks this file on Linux, has no fast enumeration.
    for (NSUInteger i = 0; i < [found count]; ++i)
    {
        NSURL* url = [found objectAtIndex:i];
        // Only file URLs name a folder the interface file can be written to.
        if (![url isFileURL]) continue;
        // absoluteString keeps the percent escapes; the caller decodes them to the path.
        const char* text = [[url absoluteString] UTF8String];
        if (!text || !*text) continue;
        std::string folder(text);
        if (folder.back() != '/') folder += '/';
        urls.push_back(folder);
    }
    return urls;
}

} // namespace orv::platform
