#include "app/help_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/gui/controls.h"

namespace app {
namespace {

constexpr char kContentsPage[] = "indice.html";

// The pages in the order of the contents list.
constexpr const char* kPages[] = {kContentsPage,   "ventana_principal.html", "exportar.html",
                                  "importar.html", "datos_dae.html",         "tablas.html",
                                  "ficheros.html", "restaurar.html"};

struct Topic {
  int context;
  const char* page;
};
constexpr Topic kTopics[] = {{kMainHelpContext, "ventana_principal.html"},
                             {kDaeDataHelpContext, "datos_dae.html"}};

// The page's <title>, or its file name when it has none (or is missing).
QString pageTitle(const QString& path, const QString& page) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return page;
  static const QRegularExpression title(
      "<title>(.*?)</title>",
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = title.match(QString::fromUtf8(file.readAll()));
  return match.hasMatch() ? match.captured(1).trimmed() : page;
}

}  // namespace

QString helpFolder() { return QDir(QCoreApplication::applicationDirPath()).filePath("help"); }

HelpViewer::HelpViewer(QString folder, QWidget* parent) : QDialog(parent), m_folder(std::move(folder)) {
  setObjectName("HelpViewer");
  // The platform adds the program's name.
  setWindowTitle("Ayuda");
  setFont(gui::windowFont());
  setWindowModality(Qt::ApplicationModal);

  m_contents = new QListWidget(this);
  m_contents->setObjectName("Contents");
  for (const char* page : kPages) {
    auto* item = new QListWidgetItem(pageTitle(QDir(m_folder).filePath(page), page), m_contents);
    item->setData(Qt::UserRole, QString(page));
  }
  m_contents->setFixedWidth(220);
  m_contents->setWordWrap(true);
  m_contents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(m_contents, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
  connect(m_contents, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });

  m_page = new QTextBrowser(this);
  m_page->setObjectName("Page");
  m_page->setSearchPaths({m_folder});
  // The list follows the page, also when a link was followed.
  connect(m_page, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
    for (int row = 0; row < m_contents->count(); ++row) {
      if (m_contents->item(row)->data(Qt::UserRole).toString() == source.fileName())
        m_contents->setCurrentRow(row);
    }
  });

  auto* close = new QPushButton("Cerrar", this);
  close->setObjectName("Close");
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* panes = new QHBoxLayout;
  panes->addWidget(m_contents);
  panes->addWidget(m_page, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(buttons);
  resize(820, 560);
}

void HelpViewer::showContents() { showPage(kContentsPage); }

void HelpViewer::showTopic(int context) {
  for (const Topic& topic : kTopics) {
    if (topic.context == context) {
      showPage(topic.page);
      return;
    }
  }
  showContents();
}

QString HelpViewer::currentPage() const { return m_page->source().fileName(); }

void HelpViewer::showPage(const QString& page) {
  const QString path = QDir(m_folder).filePath(page);
  if (QFile::exists(path)) {
    m_page->setSource(QUrl::fromLocalFile(path));
  } else {
    m_page->setSource(QUrl());
    m_page->setPlainText(
        QString::fromUtf8("No se encuentra la página de ayuda %1.").arg(QDir::toNativeSeparators(path)));
  }
  show();
  raise();
  activateWindow();
}

}  // namespace app
