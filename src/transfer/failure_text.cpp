#include "transfer/failure_text.h"

#include "device/device_connection.h"
#include "shared/code_page_text.h"

namespace somvix {

namespace {

// ": " and the system's words, when it said any.
std::string SystemSaid(const FailureCause& cause) {
    return cause.m_strSystemText.empty() ? std::string() : ": " + cause.m_strSystemText;
}

// The subject as the monitor sent it, quoted.
std::string Quoted(const FailureCause& cause) {
    return "\"" + Utf8From1252(cause.m_strSubject) + "\"";
}

}  // namespace

std::string DescribeCause(const FailureCause& cause) {
    switch (cause.m_kind) {
        case CauseKind::None:
            return {};
        case CauseKind::Refused:
            return "El monitor rechazó la conexión";
        case CauseKind::NoSuchHost:
            return "No se encuentra el equipo " + Quoted(cause);
        case CauseKind::ConnectFailed:
            return "No se pudo conectar con el monitor" + SystemSaid(cause);
        case CauseKind::NoReply:
            return "El monitor no respondió en " + cause.m_strSubject + " s";
        case CauseKind::ConnectionLost:
            return "El monitor cerró la conexión" + SystemSaid(cause);
        case CauseKind::ReplyTooLarge:
            return "Respuesta del monitor de " + cause.m_strSubject +
                   " bytes, por encima del límite de " + std::to_string(MAX_REPLY_BYTES);
        case CauseKind::BadReply:
            return "Respuesta no válida del monitor al pedir el archivo " + Quoted(cause);
        case CauseKind::ChecksumMismatch:
            return "Suma de comprobación incorrecta en el archivo " + Quoted(cause);
        case CauseKind::FileTooLarge:
            return "El archivo " + Quoted(cause) + " supera el tamaño máximo de su tipo (" +
                   cause.m_strSystemText + " bytes)";
        case CauseKind::WriteFailed:
            return "No se pudo escribir " + Quoted(cause) + SystemSaid(cause);
        case CauseKind::SyncFailed:
            return "No se pudo asegurar en el disco " + Quoted(cause) + SystemSaid(cause);
        case CauseKind::Adaptation:
            return "ERROR adaptando configuración de red" + SystemSaid(cause);
        case CauseKind::NameRefused:
            return "Nombre no válido recibido del monitor: " + Quoted(cause);
        case CauseKind::LoginRefused:
            return "El monitor rechazó la autenticación";
        case CauseKind::EndRefused:
            return "El monitor no confirmó el fin de la conexión";
        case CauseKind::Cancelled:
            return "Cancelado por el usuario";
    }
    return {};
}

const char* CauseKey(CauseKind kind) {
    switch (kind) {
        case CauseKind::None:
            return "none";
        case CauseKind::Refused:
            return "refused";
        case CauseKind::NoSuchHost:
            return "no_such_host";
        case CauseKind::ConnectFailed:
            return "connect_failed";
        case CauseKind::NoReply:
            return "no_reply";
        case CauseKind::ConnectionLost:
            return "connection_lost";
        case CauseKind::ReplyTooLarge:
            return "reply_too_large";
        case CauseKind::BadReply:
            return "bad_reply";
        case CauseKind::ChecksumMismatch:
            return "checksum_mismatch";
        case CauseKind::FileTooLarge:
            return "file_too_large";
        case CauseKind::WriteFailed:
            return "write_failed";
        case CauseKind::SyncFailed:
            return "sync_failed";
        case CauseKind::Adaptation:
            return "adaptation";
        case CauseKind::NameRefused:
            return "name_refused";
        case CauseKind::LoginRefused:
            return "login_refused";
        case CauseKind::EndRefused:
            return "end_refused";
        case CauseKind::Cancelled:
            return "cancelled";
    }
    return "none";
}

}  // namespace somvix
