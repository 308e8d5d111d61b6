#pragma once
// The last step of the process.
//
// Work the program does not wait for may still run when main is done: a tag
// read stalled on a slow or hung file system, or the media engine's worker
// still stopping a medium. The ordinary exit would then destroy the
// libraries' static objects and run their finalizers under those threads'
// feet; a libVLC thread loading a plug-in at that moment has had a library's
// initializer run a second time and abort the process. So while such work
// runs, the process ends at once, its standard streams flushed; the lock of
// the single window and whatever else must be written are let go of before
// this, by the objects of main that hold them.

// Returns status for main to return when nothing is left running;
// otherwise ends the process with status here.
int endProcess(int status);
