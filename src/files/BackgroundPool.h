#pragma once

class QThreadPool;

// The threads that list folders and run the site tools (link check, site
// search, validation).
//
// Qt's raster painter splits a large blended fill (the editor's background,
// a translucent selection) into parts on QThreadPool::globalInstance() and
// waits for them. A long task on that pool therefore holds up painting: with
// a link check and a site search running at once on a two-core machine, every
// such paint waited until both had ended. Work of ours never runs there.
//
// The pool is waited for when the application object goes, as Qt's own is.
QThreadPool& ZtBackgroundPool();
