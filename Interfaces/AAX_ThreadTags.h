#pragma once

// The thread tags on every host-facing operation of Interfaces/, defined here once. Each
// operation carries exactly one; where a validator check enforces the claim, the check's
// name follows the tag (`orvendal-host validate --only <check>` runs it alone).
//
// [main-thread]     The host's main thread: lifecycle (Initialize, Uninitialize), parameter
//                   queries, set requests and updates, state chunks, notifications, module
//                   description. One call at a time per component, never re-entered from
//                   another thread.
// [editor-thread]   The host's user-interface thread: every operation of the editor
//                   component, and what the editor calls back into while it runs. May be the
//                   main thread (it is in the reference host); the plug-in assumes no more than
//                   one call at a time.
// [offline-thread]  The thread on which the host runs a host processor's offline passes, one
//                   call at a time. Calls may block it (PreRender waits for the companion).
// [any-thread]      Whichever of the threads above the caller runs on, one call at a time:
//                   the object takes no lock, so calls that change the same state must not
//                   overlap (the host and the plug-in never make them overlap).
// [thread-safe]     Any thread, also while other threads call the same object.
//
// Operations on interfaces the host implements are tagged with the threads the plug-in
// calls them from; operations the plug-in implements, with the threads the host may use.
