// frm_opzioni's controls: made from the window's tables (TabelleEditor.h), each at
// its place in twips (15 to a pixel), and wired to the handlers.
#include "editor/frm_opzioni.h"

#include "drawing/Caratteri.h"
#include "drawing/Inquadratura.h"
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <string_view>
#include <vector>

using TabelleEditor::Twips;

namespace {

// The window's fonts, each made once: making one looks its family up in the font
// database, which costs more than the control it goes on.
class Fonts {
 public:
  QFont operator()(const TabelleEditor::Font& f) {
    for (const auto& [chiave, font] : m_fatti) {
      if (std::string_view(chiave.nome) == f.nome && chiave.punti == f.punti &&
          chiave.grassetto == f.grassetto)
        return font;
    }
    m_fatti.emplace_back(
        f, Caratteri::FontQt({QString::fromLatin1(f.nome), f.punti, f.grassetto, false}));
    return m_fatti.back().second;
  }

 private:
  std::vector<std::pair<TabelleEditor::Font, QFont>> m_fatti;
};

// Each control gets its font explicitly: in this window a frame's font is its
// title's, never its children's.
template <class W>
W* Crea(QWidget* genitore, const QString& nome, QRect dove, const QFont& font) {
  auto* w = new W(genitore);
  w->setObjectName(nome);
  w->setGeometry(dove);
  w->setFont(font);
  return w;
}

// Buttons always have the window's own font.
QPushButton* Pulsante(QWidget* genitore, const QString& nome, const QString& testo, QRect dove,
                      const QFont& normale) {
  auto* p = Crea<QPushButton>(genitore, nome, dove, normale);
  p->setText(testo);
  p->setFocusPolicy(Qt::TabFocus);
  return p;
}

QLineEdit* Casella(QWidget* genitore, const QString& nome, QRect dove, const QFont& font) {
  auto* c = Crea<QLineEdit>(genitore, nome, dove, font);
  c->setReadOnly(true);
  return c;
}

QLabel* Scritta(QWidget* genitore, const QString& nome, const QString& testo, QRect dove,
                const QFont& font, Qt::Alignment allineamento) {
  auto* l = Crea<QLabel>(genitore, nome, dove, font);
  l->setText(testo);
  l->setAlignment(allineamento);
  return l;
}

QFrame* Tratto(QWidget* genitore, const QString& nome, QRect dove, const QFont& font,
               QFrame::Shape forma) {
  auto* f = Crea<QFrame>(genitore, nome, dove, font);
  f->setFrameShape(forma);
  f->setFrameShadow(QFrame::Plain);
  return f;
}

// One control of the table, in its frame.
QWidget* CreaControllo(QWidget* dentro, const TabelleEditor::Controllo& c, Fonts& fonts) {
  using TabelleEditor::Tipo;
  const QString nome = QLatin1String(c.nome);
  const QString testo = QString::fromUtf8(c.testo);
  const QRect dove = Twips(c.twips);
  const QFont font = fonts(c.font);
  switch (c.tipo) {
    case Tipo::Scritta:
      return Scritta(dentro, nome, testo, dove, font, c.allineamento);
    case Tipo::ScrittaRossa: {
      QLabel* l = Scritta(dentro, nome, testo, dove, font, c.allineamento);
      QPalette rosso = l->palette();
      rosso.setColor(QPalette::WindowText, Qt::red);
      l->setPalette(rosso);
      return l;
    }
    case Tipo::Pulsante:
      return Pulsante(dentro, nome, testo, dove, fonts(TabelleEditor::Normale));
    case Tipo::Casella:
      return Casella(dentro, nome, dove, font);
    case Tipo::Spunta: {
      auto* s = Crea<QCheckBox>(dentro, nome, dove, font);
      s->setText(testo);
      return s;
    }
    case Tipo::Cornice: {
      auto* f = Crea<QGroupBox>(dentro, nome, dove, font);
      if (!testo.isEmpty()) f->setTitle(testo);
      return f;
    }
    case Tipo::Linea: {
      QFrame* f = Tratto(dentro, nome, dove, font, QFrame::HLine);
      f->setLineWidth(2);
      return f;
    }
    case Tipo::Riquadro:
      return Tratto(dentro, nome, dove, font, QFrame::Box);
    case Tipo::RigheImmagini:
    case Tipo::Anteprime:
    case Tipo::RigheSuoni:
      break;
  }
  return nullptr;
}

QString Elemento(const char* nome, int i) {
  return QStringLiteral("%1_%2").arg(QLatin1String(nome)).arg(i);
}

// The background's preview has the playfield's proportions.
constexpr QSize Campo = Inquadratura::Naturale.toSize();

// The preview's box inside "ANTEPRIMA": the proportions of the recommended size (of
// the playfield for the background), as large as the frame allows, centred.
QRect RiquadroAnteprima(int n, const TabelleEditor::RigaImmagine& slot) {
  const QRect interno = TabelleEditor::InternoAnteprime;
  QSize dimensione = n == TabelleEditor::SlotSfondo ? Campo : QSize(slot.larghezza, slot.altezza);
  dimensione.scale(interno.size(), Qt::KeepAspectRatio);
  QRect box(QPoint(0, 0), dimensione);
  box.moveCenter(interno.center());
  return box;
}

template <class W>
W* Figlio(const std::map<std::string_view, QWidget*>& fatti, const char* nome) {
  return static_cast<W*>(fatti.at(nome));
}

}  // namespace

void frm_opzioni::Adatta(QLabel* l) {
  // Always from the label's own font, kept the first time round.
  QVariant pieno = l->property("fontPieno");
  if (!pieno.isValid()) l->setProperty("fontPieno", pieno = l->font());
  QFont font = pieno.value<QFont>();
  l->setFont(font);
  // The fonts are sized in pixels, as the twips they were laid out in.
  while ((l->sizeHint().width() > l->width() || l->sizeHint().height() > l->height()) &&
         font.pixelSize() > 6) {
    font.setPixelSize(font.pixelSize() - 1);
    l->setFont(font);
  }
}

void frm_opzioni::CostruisciControlli() {
  setObjectName(QStringLiteral("frm_opzioni"));
  setFixedSize(TabelleEditor::AreaCliente);
  Fonts fonts;
  setFont(fonts(TabelleEditor::Normale));
  setWindowTitle(QStringLiteral("Opzioni - immagini"));
  setMouseTracking(true);

  using TabelleEditor::Tipo;
  ControlliFatti fatti;
  for (const TabelleEditor::Controllo& c : TabelleEditor::Controlli) {
    QWidget* dentro = c.dentro ? fatti.at(c.dentro) : this;
    if (c.tipo == Tipo::RigheImmagini) {
      CostruisciRigheImmagini(fonts(TabelleEditor::Normale), fonts(TabelleEditor::Caselle));
    } else if (c.tipo == Tipo::Anteprime) {
      CostruisciAnteprime(dentro);
    } else if (c.tipo == Tipo::RigheSuoni) {
      CostruisciRigheSuoni(fonts(TabelleEditor::Normale), fonts(TabelleEditor::Caselle),
                           fonts(TabelleEditor::Intestazione));
    } else {
      QWidget* w = fatti[c.nome] = CreaControllo(dentro, c, fonts);
      if (c.suggerimento) w->setToolTip(QString::fromUtf8(c.suggerimento));
      if (c.nascosto) w->hide();
    }
  }
  TrovaControlli(fatti);
  // Open, the font panel hides the sound rows it lies over.
  fra_font->setAutoFillBackground(true);
  for (QLabel* l : findChildren<QLabel*>()) Adatta(l);
}

void frm_opzioni::CostruisciRigheImmagini(const QFont& normale, const QFont& caselle) {
  using namespace TabelleEditor;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    const RigaImmagine& slot = TabellaImmagini[s];
    const ColonnaImmagini& col = ColonneImmagini[slot.destra ? 1 : 0];
    QPushButton* p =
        Pulsante(this, QLatin1String(slot.pulsante), QString::fromUtf8(NomiImmagini[s]),
                 Twips(col.pulsante, slot.top, LarghezzaPulsante, AltezzaRiga), normale);
    // The pointer over a picture button shows its preview.
    p->setMouseTracking(true);
    p->installEventFilter(this);
    PulsantiImmagine[s] = p;
    cb_def[s] = Pulsante(this, Elemento("cb_def", n), QStringLiteral("Def"),
                         Twips(col.def, slot.top, LarghezzaDef, AltezzaRiga), normale);
    QLineEdit* c = Casella(this, QLatin1String(slot.casella),
                           Twips(col.casella, slot.top, LarghezzaCasella, AltezzaRiga), caselle);
    c->setText(QStringLiteral("Default"));
    CaselleImmagine[s] = c;
  }
}

void frm_opzioni::CostruisciAnteprime(QWidget* cornice) {
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto& slot = TabelleEditor::TabellaImmagini[static_cast<size_t>(n)];
    auto* a = new Anteprima(cornice, *m_incorporate);
    a->setObjectName(QLatin1String(slot.anteprima));
    a->setGeometry(RiquadroAnteprima(n, slot));
    if (n == TabelleEditor::SlotSfondo) a->ComeCampo(Campo.width());
    a->hide();
    Anteprime[static_cast<size_t>(n)] = a;
  }
}

void frm_opzioni::CostruisciRigheSuoni(const QFont& normale, const QFont& caselle,
                                       const QFont& intestazioni) {
  using namespace TabelleEditor;
  for (size_t k = 0; k < Intestazioni.size(); ++k) {
    const ColonnaSuoni& col = ColonneSuoni[k];
    const int left[] = {col.apri, col.audio, col.volume};
    const int width[] = {LarghezzaApri, LarghezzaAudio, LarghezzaVolume + LarghezzaTestoVolume};
    for (size_t j = 0; j < TitoliIntestazioni.size(); ++j)
      Scritta(this, QLatin1String(Intestazioni[k][j]), QLatin1String(TitoliIntestazioni[j]),
              Twips(left[j], TopIntestazioni, width[j], AltezzaIntestazioni), intestazioni,
              AlCentro);
  }

  for (int i = 0; i < NumeroSuoni; ++i) {
    const size_t s = static_cast<size_t>(i);
    const ColonnaSuoni& col = ColonneSuoni[i / RigheColonna];
    const int top = TopSuoni + PassoSuoni * (i % RigheColonna);
    cb_apri[s] = Pulsante(this, Elemento("cb_apri", i), QString::fromUtf8(NomiSuoni[s]),
                          Twips(col.apri, top, LarghezzaApri, AltezzaRiga), normale);
    txt_audio[s] = Casella(this, Elemento("txt_audio", i),
                           Twips(col.audio, top, LarghezzaAudio, AltezzaRiga), caselle);
    txt_audio[s]->installEventFilter(this);
    chk_play[s] = Pulsante(this, Elemento("chk_play", i), QStringLiteral(">"),
                           Twips(col.play, top, LarghezzaPlay, AltezzaRiga), normale);
    chk_play[s]->setCheckable(true);  // latched: a trial lasts while the button is down
    // Down, it is lit: a trial playing can be told at a glance.
    chk_play[s]->setStyleSheet(QStringLiteral(
        "QPushButton:checked { background-color: #1f8f3a; color: white; font-weight: bold;"
        " border: 1px solid #0b4a1a; border-radius: 2px; }"));
    HS_regolavol[s] = Crea<QSlider>(this, Elemento("HS_regolavol", i),
                                    Twips(col.volume, top, LarghezzaVolume, AltezzaRiga), normale);
    HS_regolavol[s]->setOrientation(Qt::Horizontal);
    HS_regolavol[s]->setRange(0, 100);
    HS_regolavol[s]->setSingleStep(1);  // the arrow keys
    HS_regolavol[s]->setPageStep(10);   // the Page keys and a click beside the handle
    HS_regolavol[s]->setFocusPolicy(Qt::StrongFocus);
    HS_regolavol[s]->setEnabled(false);
    txt_vol[s] =
        Crea<QLineEdit>(this, Elemento("txt_vol", i),
                        Twips(col.testoVolume, top, LarghezzaTestoVolume, AltezzaRiga), normale);
    txt_vol[s]->setTextMargins(0, 0, 0, 0);
    // Leaving the box takes over what was typed, as Enter does.
    txt_vol[s]->installEventFilter(this);
    txt_vol[s]->setText(QStringLiteral("50"));
    txt_vol[s]->setEnabled(false);
  }
}

void frm_opzioni::TrovaControlli(const ControlliFatti& fatti) {
  lbl_combinazione = Figlio<QLabel>(fatti, "lbl_combinazione");
  lbl_dimensioni = Figlio<QLabel>(fatti, "lbl_dimensioni");
  Cb_visualfont = Figlio<QPushButton>(fatti, "Cb_visualfont");
  lbl_pass = Figlio<QLabel>(fatti, "lbl_pass");
  CB_crea = Figlio<QPushButton>(fatti, "CB_crea");
  cb_salva = Figlio<QPushButton>(fatti, "cb_salva");
  chk_password = Figlio<QCheckBox>(fatti, "chk_password");
  Cb_elimina = Figlio<QPushButton>(fatti, "Cb_elimina");
  Cb_InserisciPass = Figlio<QPushButton>(fatti, "Cb_InserisciPass");
  Cb_default = Figlio<QPushButton>(fatti, "Cb_default");
  cb_esci = Figlio<QPushButton>(fatti, "cb_esci");
  fra_font = Figlio<QGroupBox>(fatti, "fra_font");
  Cb_font = Figlio<QPushButton>(fatti, "Cb_font");
  cb_color = Figlio<QPushButton>(fatti, "cb_color");
  lbl_anteprimafont = Figlio<QLabel>(fatti, "lbl_anteprimafont");
  Cb_fontFile = Figlio<QPushButton>(fatti, "Cb_fontFile");
  lbl_fontdacaricare = Figlio<QLabel>(fatti, "lbl_fontdacaricare");
  Cb_cancellafont = Figlio<QPushButton>(fatti, "Cb_cancellafont");
  cb_chiudifont = Figlio<QPushButton>(fatti, "cb_chiudifont");
}

void frm_opzioni::CollegaControlli() {
  // A click or an Enter is one turn of the game: no timer fires while it, or a
  // dialog it opens, runs. The change handlers also run from code, inside a turn.
  const auto turno = [this](std::function<void()> gestore) {
    return [this, gestore = std::move(gestore)] { Turno(gestore); };
  };
  // A button does not take the focus, so a volume box being typed in is taken over
  // as the button goes down: what its click saves or plays is what the box shows.
  for (QPushButton* p : findChildren<QPushButton*>()) {
    connect(p, &QPushButton::pressed, this, [this] { ConfermaVolumiDigitati(); });
  }
  for (int n = 0; n < NumeroImmagini; ++n) {
    connect(PulsantiImmagine[static_cast<size_t>(n)], &QPushButton::clicked, this,
            turno([this, n] { PulsanteImmagine_Click(n); }));
    connect(cb_def[static_cast<size_t>(n)], &QPushButton::clicked, this,
            turno([this, n] { cb_def_Click(n); }));
  }
  for (int i = 0; i < NumeroSuoni; ++i) {
    const size_t s = static_cast<size_t>(i);
    connect(cb_apri[s], &QPushButton::clicked, this, turno([this, i] { cb_apri_Click(i); }));
    connect(chk_play[s], &QPushButton::clicked, this, turno([this, i] { chk_play_Click(i); }));
    connect(txt_vol[s], &QLineEdit::returnPressed, this,
            [this, i] { Turno([this, i] { txt_vol_KeyPress(i, 13); }); });
    connect(HS_regolavol[s], &QSlider::valueChanged, this, [this, i] { HS_regolavol_Change(i); });
    connect(txt_vol[s], &QLineEdit::textChanged, this, [this, i] { txt_vol_Change(i); });
  }
  const std::pair<QPushButton*, void (frm_opzioni::*)()> pulsanti[] = {
      {Cb_elimina, &frm_opzioni::Cb_elimina_Click},
      {Cb_default, &frm_opzioni::Cb_default_Click},
      {cb_esci, &frm_opzioni::cb_esci_Click},
      {CB_crea, &frm_opzioni::CB_crea_Click},
      {cb_salva, &frm_opzioni::cb_salva_Click},
      {Cb_InserisciPass, &frm_opzioni::Cb_InserisciPass_Click},
      {Cb_visualfont, &frm_opzioni::Cb_visualfont_Click},
      {cb_chiudifont, &frm_opzioni::cb_chiudifont_Click},
      {Cb_font, &frm_opzioni::Cb_font_Click},
      {cb_color, &frm_opzioni::cb_color_Click},
      {Cb_fontFile, &frm_opzioni::Cb_fontFile_Click},
      {Cb_cancellafont, &frm_opzioni::Cb_cancellafont_Click},
  };
  // Toggled rather than clicked: a check set from code counts too (Mostra's own
  // setting is blocked).
  connect(chk_password, &QCheckBox::toggled, this, [this] { chk_password_Click(); });
  for (const auto& [pulsante, gestore] : pulsanti) {
    connect(pulsante, &QPushButton::clicked, this,
            turno([this, gestore = gestore] { (this->*gestore)(); }));
  }
}
