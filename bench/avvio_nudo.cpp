// What the game's start-up is measured against: a bare Qt program that opens a window
// of the playfield's size, draws 40 bold labels in it, and at its first painted frame
// says so on standard output ("primo fotogramma") and ends, as the game does when
// SKARVEX_ESCI_AL_PRIMO_FRAME is set.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class Finestra final : public QWidget {
 public:
  Finestra() {
    setFixedSize(794, 548);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::white);
    for (int i = 0; i < 40; ++i)
      p.drawText(QPointF(20 + (i % 4) * 190, 40 + (i / 4) * 50),
                 QStringLiteral("Etichetta %1").arg(i + 1));
    if (m_dipinta) return;
    m_dipinta = true;
    QTimer::singleShot(0, qApp, [] {
      std::fputs("primo fotogramma\n", stdout);
      std::fflush(stdout);
      QCoreApplication::quit();
    });
  }

 private:
  bool m_dipinta = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Finestra finestra;
  finestra.show();
  return app.exec();
}
