# Precompiled Qt headers for the libraries and the tests (NUVEX_PCH). Parsing Qt's
# headers is most of what compiling one of our files costs; precompiled once per library
# and once per test folder, they are read instead of parsed.

set(NUVEX_PCH_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QString> <QStringList>
                   <QVariant> <algorithm> <functional> <memory> <vector>)
set(NUVEX_PCH_GUI ${NUVEX_PCH_CORE} <QColor> <QFont> <QFontMetrics> <QImage> <QPainter>)
set(NUVEX_PCH_WIDGETS ${NUVEX_PCH_GUI} <QAction> <QApplication> <QFileDialog> <QHeaderView> <QLabel> <QLineEdit>
                      <QMenu> <QMessageBox> <QPushButton> <QTreeWidget> <QVBoxLayout> <QWidget>)

# The headers a target can include: those of the Qt modules it builds on.
function(nuvex_pch_headers libraries out)
  if(libraries MATCHES "nuvex::ui|nuvex::components|Qt6::Widgets")
    set(${out} ${NUVEX_PCH_WIDGETS} PARENT_SCOPE)
  elseif(libraries MATCHES "nuvex::titles|nuvex::cli|Qt6::Gui")
    set(${out} ${NUVEX_PCH_GUI} PARENT_SCOPE)
  else()
    set(${out} ${NUVEX_PCH_CORE} PARENT_SCOPE)
  endif()
endfunction()

function(nuvex_precompile_library target libraries)
  nuvex_pch_headers("${libraries}" headers)
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# The first test of a folder precompiles the headers; the others of that folder, built
# with the same definitions, reuse them.
function(nuvex_precompile_test target libraries)
  nuvex_pch_headers("${libraries}" headers)
  string(MD5 key "${CMAKE_CURRENT_SOURCE_DIR};${headers}")
  get_property(owner GLOBAL PROPERTY NUVEX_PCH_${key})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE <QTest> ${headers})
    set_property(GLOBAL PROPERTY NUVEX_PCH_${key} ${target})
  endif()
endfunction()
