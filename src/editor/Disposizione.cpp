// The editor's controls at their places (twips, 15 to a pixel) and their wiring to
// the handlers.
#include "editor/Anteprima.h"
#include "editor/TabelleEditor.h"
#include "editor/frm_opzioni.h"
#include "drawing/Caratteri.h"
#include "drawing/Inquadratura.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using TabelleEditor::SlotSfondo;
using TabelleEditor::Twips;

namespace {

constexpr QSize AreaCliente = Twips(0, 0, 10425, 8610).size();

// Left edges of the picture columns and of the two sound columns.
constexpr int PulsanteSinistra = 120, DefSinistra = 1320, CasellaSinistra = 1800;
constexpr int PulsanteDestra = 5280, DefDestra = 6480, CasellaDestra = 6960;
constexpr int AltezzaRiga = 375;

// A sound row gives its slider about a pixel a unit, so a drag reaches every volume;
// the file box is narrower for it.
struct ColonnaSuoni {
  int apri, audio, play, volume, testoVolume;
};
constexpr ColonnaSuoni ColonneSuoni[2] = {{120, 1560, 2805, 3045, 4800},
                                          {5280, 6720, 7965, 8205, 9960}};
constexpr int LarghezzaApri = 1455, LarghezzaAudio = 1260, LarghezzaPlay = 255,
              LarghezzaVolume = 1770, LarghezzaTestoVolume = 375;

QFont Font(const char* nome, double punti, bool grassetto = false) {
  return Caratteri::FontQt({QString::fromLatin1(nome), punti, grassetto, false});
}

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

QPushButton* Pulsante(QWidget* genitore, const QString& nome, const QString& testo, QRect dove) {
  auto* p = Crea<QPushButton>(genitore, nome, dove, Font("MS Sans Serif", 8.25));
  p->setText(testo);
  p->setFocusPolicy(Qt::TabFocus);
  return p;
}

QLabel* Scritta(QWidget* genitore, const QString& nome, const QString& testo, QRect dove,
                const QFont& font, Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignTop) {
  auto* l = Crea<QLabel>(genitore, nome, dove, font);
  l->setText(testo);
  l->setAlignment(allineamento);
  return l;
}

QLineEdit* Casella(QWidget* genitore, const QString& nome, QRect dove, const QFont& font) {
  auto* c = Crea<QLineEdit>(genitore, nome, dove, font);
  c->setReadOnly(true);
  return c;
}

QString Elemento(const char* nome, int i) {
  return QStringLiteral("%1_%2").arg(QLatin1String(nome)).arg(i);
}

// The background's preview has the playfield's proportions.
constexpr QSize Campo = Inquadratura::Naturale.toSize();

// The preview's box inside "ANTEPRIMA": the proportions of the recommended size (of
// the playfield for the background), as large as the frame allows, centred.
QRect RiquadroAnteprima(int n, const TabelleEditor::SlotImmagine& slot) {
  const QRect interno = Twips(120, 240, 4215, 1335);
  QSize dimensione = n == SlotSfondo ? Campo : QSize(slot.larghezza, slot.altezza);
  dimensione.scale(interno.size(), Qt::KeepAspectRatio);
  QRect box(QPoint(0, 0), dimensione);
  box.moveCenter(interno.center());
  return box;
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
  setFixedSize(AreaCliente);
  setFont(Font("MS Sans Serif", 8.25));
  setWindowTitle(QStringLiteral("Opzioni - immagini"));
  setMouseTracking(true);

  const QFont normale = Font("MS Sans Serif", 8.25);
  const QFont caselle = Font("Times New Roman", 12);

  lbl_combinazione =
      Scritta(this, QStringLiteral("lbl_combinazione"), QString(), Twips(0, 0, 10215, 495),
              Font("MS Sans Serif", 18, true), Qt::AlignHCenter | Qt::AlignTop);

  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto& slot = TabelleEditor::SlotImmagini[static_cast<size_t>(n)];
    const int pulsante = slot.destra ? PulsanteDestra : PulsanteSinistra;
    const int def = slot.destra ? DefDestra : DefSinistra;
    const int casella = slot.destra ? CasellaDestra : CasellaSinistra;
    QPushButton* p = Pulsante(this, QLatin1String(slot.pulsante),
                              QString::fromUtf8(NomiImmagini[static_cast<size_t>(n)]),
                              Twips(pulsante, slot.top, 1215, AltezzaRiga));
    // The pointer over a picture button shows its preview.
    p->setMouseTracking(true);
    p->installEventFilter(this);
    PulsantiImmagine[static_cast<size_t>(n)] = p;
    cb_def[static_cast<size_t>(n)] = Pulsante(this, Elemento("cb_def", n), QStringLiteral("Def"),
                                              Twips(def, slot.top, 495, AltezzaRiga));
    QLineEdit* c = Casella(this, QLatin1String(slot.casella),
                           Twips(casella, slot.top, 3375, AltezzaRiga), caselle);
    c->setText(QStringLiteral("Default"));
    CaselleImmagine[static_cast<size_t>(n)] = c;
  }

  Frame1 = Crea<QGroupBox>(this, QStringLiteral("Frame1"), Twips(5640, 480, 4455, 1695),
                           Font("MS Sans Serif", 8.25, true));
  Frame1->setTitle(QStringLiteral("ANTEPRIMA"));
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto& slot = TabelleEditor::SlotImmagini[static_cast<size_t>(n)];
    auto* a = new Anteprima(Frame1, *m_incorporate);
    a->setObjectName(QLatin1String(slot.anteprima));
    a->setGeometry(RiquadroAnteprima(n, slot));
    if (n == SlotSfondo) a->ComeCampo(Campo.width());
    a->hide();
    Anteprime[static_cast<size_t>(n)] = a;
  }
  const QFont avviso = Font("MS Sans Serif", 9.75, true);
  Scritta(this, QStringLiteral("Label2"), QStringLiteral("Dimensioni immagine"),
          Twips(5640, 2160, 2295, 255), avviso);
  lbl_dimensioni = Scritta(this, QStringLiteral("lbl_dimensioni"), QString(),
                           Twips(8040, 2160, 2055, 255), avviso);

  Cb_visualfont = Pulsante(this, QStringLiteral("Cb_visualfont"), QStringLiteral("FONT"),
                           Twips(5280, 3840, 1215, 375));

  lbl_pass = Scritta(this, QStringLiteral("lbl_pass"),
                     QStringLiteral("La combinazione è protetta da password, l'unica operazione "
                                    "consentita è il controllo volume"),
                     Twips(0, 4200, 10455, 255), avviso, Qt::AlignHCenter | Qt::AlignTop);
  QPalette rosso = lbl_pass->palette();
  rosso.setColor(QPalette::WindowText, Qt::red);
  lbl_pass->setPalette(rosso);
  lbl_pass->hide();

  auto* linea = Crea<QFrame>(this, QStringLiteral("Line1"), Twips(120, 4440, 10200, 30), normale);
  linea->setFrameShape(QFrame::HLine);
  linea->setFrameShadow(QFrame::Plain);
  linea->setLineWidth(2);

  const QFont intestazioni = Font("Tahoma", 11.25);
  const std::pair<const char*, const char*> titoli[] = {
      {"lbl_audio", "AUDIO"}, {"Label1", "FILE"}, {"Label3", "VOLUME"},
      {"Label4", "AUDIO"},    {"Label5", "FILE"}, {"Label6", "VOLUME"}};
  for (int k = 0; k < 6; ++k) {
    const ColonnaSuoni& col = ColonneSuoni[k / 3];
    const int left[] = {col.apri, col.audio, col.volume};
    const int width[] = {LarghezzaApri, LarghezzaAudio, LarghezzaVolume + LarghezzaTestoVolume};
    Scritta(this, QLatin1String(titoli[k].first), QLatin1String(titoli[k].second),
            Twips(left[k % 3], 4440, width[k % 3], 255), intestazioni,
            Qt::AlignHCenter | Qt::AlignTop);
  }

  for (int i = 0; i < NumeroSuoni; ++i) {
    const size_t s = static_cast<size_t>(i);
    const ColonnaSuoni& col = ColonneSuoni[i / 8];
    const int top = 4800 + 360 * (i % 8);
    cb_apri[s] = Pulsante(this, Elemento("cb_apri", i), QString::fromUtf8(NomiSuoni[s]),
                          Twips(col.apri, top, LarghezzaApri, AltezzaRiga));
    txt_audio[s] = Casella(this, Elemento("txt_audio", i),
                           Twips(col.audio, top, LarghezzaAudio, AltezzaRiga), caselle);
    txt_audio[s]->installEventFilter(this);
    chk_play[s] = Pulsante(this, Elemento("chk_play", i), QStringLiteral(">"),
                           Twips(col.play, top, LarghezzaPlay, AltezzaRiga));
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

  auto* barra =
      Crea<QGroupBox>(this, QStringLiteral("Frame2"), Twips(120, 7800, 10215, 735), normale);
  CB_crea =
      Pulsante(barra, QStringLiteral("CB_crea"), QStringLiteral("Crea"), Twips(120, 240, 855, 375));
  cb_salva = Pulsante(barra, QStringLiteral("cb_salva"), QStringLiteral("Salva e applica"),
                      Twips(960, 240, 1695, 375));
  chk_password = Crea<QCheckBox>(barra, QStringLiteral("chk_password"), Twips(2760, 240, 2175, 375),
                                 Font("Impact", 8.25));
  chk_password->setText(QStringLiteral("Proteggi con password"));
  Cb_elimina = Pulsante(barra, QStringLiteral("Cb_elimina"), QStringLiteral("Elimina"),
                        Twips(5040, 240, 855, 375));
  Cb_InserisciPass = Pulsante(barra, QStringLiteral("Cb_InserisciPass"),
                              QStringLiteral("Ins. Password"), Twips(5880, 240, 1335, 375));
  Cb_InserisciPass->hide();
  Cb_default = Pulsante(barra, QStringLiteral("Cb_default"), QStringLiteral("TUTTO A DEFAULT"),
                        Twips(7200, 240, 2055, 375));
  cb_esci = Pulsante(barra, QStringLiteral("cb_esci"), QStringLiteral("Esci"),
                     Twips(9240, 240, 855, 375));

  CostruisciPannelloFont();
  for (QLabel* l : findChildren<QLabel*>()) Adatta(l);
}

void frm_opzioni::CostruisciPannelloFont() {
  const QFont normale = Font("MS Sans Serif", 8.25);
  // Over the right-hand sound column while open, so it is made after the rows.
  fra_font = Crea<QGroupBox>(this, QStringLiteral("fra_font"), Twips(5280, 3840, 5055, 3855),
                             Font("MS Sans Serif", 12, true));
  fra_font->setTitle(QStringLiteral("FONT"));
  fra_font->setAutoFillBackground(true);
  fra_font->hide();

  auto* cornice =
      Crea<QFrame>(fra_font, QStringLiteral("Shape1"), Twips(0, 1080, 5055, 1935), normale);
  cornice->setFrameShape(QFrame::Box);
  cornice->setFrameShadow(QFrame::Plain);

  Cb_font = Pulsante(fra_font, QStringLiteral("Cb_font"), QStringLiteral("Da Font"),
                     Twips(120, 480, 1215, 375));
  cb_color = Pulsante(fra_font, QStringLiteral("cb_color"), QStringLiteral("Colore"),
                      Twips(1320, 480, 1215, 375));
  lbl_anteprimafont =
      Scritta(fra_font, QStringLiteral("lbl_anteprimafont"), QStringLiteral("Aa Bb  0 1  "),
              Twips(2520, 480, 2295, 375), normale, Qt::AlignHCenter | Qt::AlignVCenter);
  Scritta(fra_font, QStringLiteral("Label7"),
          QStringLiteral(" Usa questa funzione se pensi di utilizzare una font non standard"),
          Twips(120, 1200, 4695, 375), normale);
  Cb_fontFile = Pulsante(fra_font, QStringLiteral("Cb_fontFile"), QStringLiteral("Da File"),
                         Twips(120, 1560, 1215, 375));
  Cb_fontFile->setToolTip(
      QStringLiteral("Cerca e installa una font, questa verrà caricata nella tua combinazione. "
                     "Usa questa funzione se pensi di utilizzare una font non standard"));
  txt_font = Casella(fra_font, QStringLiteral("txt_font"), Twips(1320, 1560, 3495, 375), normale);
  Scritta(fra_font, QStringLiteral("Label8"),
          QStringLiteral("Il seguente font verrà o è già caricato nella combinazione"),
          Twips(120, 2040, 4815, 255), normale);
  lbl_fontdacaricare = Scritta(fra_font, QStringLiteral("lbl_fontdacaricare"),
                               QString::fromLatin1(FontFileNessuno), Twips(120, 2400, 3135, 495),
                               Font("MS Sans Serif", 13.5), Qt::AlignHCenter | Qt::AlignTop);
  Cb_cancellafont = Pulsante(fra_font, QStringLiteral("Cb_cancellafont"),
                             QStringLiteral("Cancella"), Twips(3600, 2400, 1335, 495));
  cb_chiudifont = Pulsante(fra_font, QStringLiteral("cb_chiudifont"),
                           QStringLiteral("CHIUDI PANNELLO FONT"), Twips(120, 3360, 4815, 375));
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
  connect(chk_password, &QCheckBox::toggled, this, [this](bool acceso) { m.proteggi = acceso; });
  for (const auto& [pulsante, gestore] : pulsanti) {
    connect(pulsante, &QPushButton::clicked, this,
            turno([this, gestore = gestore] { (this->*gestore)(); }));
  }
}
