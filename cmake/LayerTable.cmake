# Which folder of src/ may include which: one row a folder, "folder: the
# folders it may include". A file belongs to the longest folder of the table
# that holds it, and so does an included file; a folder may always include
# itself. "*" is any folder; "controls/*" is every folder below controls/.
# "art" is the program's art (assets/art).
set(SORVAN_LAYER_TABLE
  "main: *"
  "desktop: desktop/mpris app controls/* engine system playback playlist/formats"
  "desktop/mpris:"
  "playback: app controls/* engine system text art"
  "playlist: playlist/formats playback app controls/* engine system text art"
  "playlist/formats: system text"
  "cd: app controls/* engine system"
  "background: app controls/* engine system art"
  "help: help/webview app controls/* engine system art"
  "help/webview: system"
  "app: controls/* engine system art"
  "controls/forms: system"
  "controls/dialogs: system"
  "controls/mediaplayer: controls/forms engine system"
  "controls/cdplayer: controls/forms engine system"
  "engine:"
  "engine/vlc: engine system text"
  "engine/cdio: engine system text"
  "engine/tags: engine system text"
  "system:"
  "text:"
)
# Library headers that only one folder may include: "prefix: folders".
set(SORVAN_LIBRARY_TABLE
  "vlc/: engine/vlc"
  "cdio/: engine/cdio"
  "taglib/: engine/tags"
  "QWebEngine: help/webview"
  "QtWebEngine: help/webview"
)
