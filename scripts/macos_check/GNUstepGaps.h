// macOS declarations that GNUstep's headers lack, as Apple's SDK declares them, so the
// platform files that call them are still checked for their argument and result types.
// Each gap carries one "gap:" line, which the check script quotes when a file uses it.
#pragma once

#import <Foundation/Foundation.h>

// gap: URLsForDirectory:inDomains: (GNUstep base has only URLForDirectory:inDomain:appropriateForURL:create:error:)
@interface NSFileManager (OrvMacOSOnly)
- (NSArray*)URLsForDirectory:(NSSearchPathDirectory)directory
                   inDomains:(NSSearchPathDomainMask)domainMask;
@end
