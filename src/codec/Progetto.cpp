#include "codec/Progetto.h"

#if !defined(SKARVEX_ID_APPLICAZIONE) || !defined(SKARVEX_SITO) || !defined(SKARVEX_CONTATTO)
#error "the build names the application id, the site and the address"
#endif
const char* const IdApplicazione = SKARVEX_ID_APPLICAZIONE;
const char* const SitoProgetto = SKARVEX_SITO;
const char* const ContattoProgetto = SKARVEX_CONTATTO;
