#include "ui/DialogoFile.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace {

enum Colonna { Nome, Dimensione, Tipo, Data };

// Room for a name in its column at least, in characters.
constexpr int CaratteriNome = 36;

// The file list's sizes and dates as the program's locale writes them.
class InLinguaDelProgramma final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& indice, int ruolo) const override {
    const auto* file = qobject_cast<const QFileSystemModel*>(sourceModel());
    const QModelIndex sorgente = mapToSource(indice);
    if (ruolo != Qt::DisplayRole || !file || file->isDir(sorgente))
      return QIdentityProxyModel::data(indice, ruolo);
    switch (indice.column()) {
      case Dimensione:
        return QLocale().formattedDataSize(file->size(sorgente));
      case Data:
        return QLocale().toString(file->lastModified(sorgente), QLocale::ShortFormat);
      default:
        return QIdentityProxyModel::data(indice, ruolo);
    }
  }
};

// Each column as wide as what it shows (a name's at least a fair width), and the
// dialog widened until they all fit, within the screen.
void AdattaColonne(QFileDialog& dialogo, QTreeView& vista) {
  int colonne = 0;
  for (const int c : {Nome, Dimensione, Tipo, Data}) {
    vista.resizeColumnToContents(c);
    colonne += vista.header()->sectionSize(c);
  }
  const int nome = vista.fontMetrics().averageCharWidth() * CaratteriNome;
  if (vista.header()->sectionSize(Nome) < nome) {
    colonne += nome - vista.header()->sectionSize(Nome);
    vista.header()->resizeSection(Nome, nome);
  }
  const int manca = colonne - vista.viewport()->width();
  if (manca <= 0) return;
  int larghezza = dialogo.width() + manca;
  if (const QScreen* schermo = dialogo.screen())
    larghezza = std::min(larghezza, schermo->availableGeometry().width());
  dialogo.resize(std::max(larghezza, dialogo.width()), dialogo.height());
}

}  // namespace

void PreparaDialogoFile(QFileDialog& dialogo) {
  dialogo.setOption(QFileDialog::DontUseNativeDialog);
  dialogo.setViewMode(QFileDialog::Detail);
  dialogo.setProxyModel(new InLinguaDelProgramma(&dialogo));
  auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* file = dialogo.findChild<QFileSystemModel*>();
  if (!vista || !file) return;
  // The widths follow each folder as its listing arrives.
  QObject::connect(file, &QFileSystemModel::directoryLoaded, &dialogo,
                   [&dialogo, vista] { AdattaColonne(dialogo, *vista); });
  dialogo.resize(dialogo.sizeHint().expandedTo(dialogo.size()));
  AdattaColonne(dialogo, *vista);
}
