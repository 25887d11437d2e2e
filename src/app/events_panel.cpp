#include "app/events_panel.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "app/recording_view.h"
#include "chart/event_markers.h"
#include "shared/code_page_text.h"

namespace somvix {

CEventsPanel::CEventsPanel(CRecordingView& view, QWidget* parent)
    : QDockWidget(QStringLiteral("Eventos"), parent),
      m_view(view),
      m_wndList(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("eventsPanel"));
    m_wndList->setColumnCount(3);
    m_wndList->setHeaderLabels(
        {QStringLiteral("Tiempo"), QStringLiteral("Evento"), QStringLiteral("Código")});
    m_wndList->setRootIsDecorated(false);
    m_wndList->setAlternatingRowColors(true);
    m_wndList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(m_wndList);
    connect(m_wndList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current != nullptr) {
            m_view.SelectEvent(m_wndList->indexOfTopLevelItem(current));
        }
    });
    connect(&m_view, &CRecordingView::EventSelected, this, &CEventsPanel::ShowSelected);
}

void CEventsPanel::Refill() {
    const QSignalBlocker quiet(m_wndList);
    m_wndList->clear();
    const RecordingStore& store = m_view.Recording();
    for (int e = 0; e < store.m_nEvents && e < MAX_EVENTS; ++e) {
        const EventRecord& event = store.m_events[static_cast<size_t>(e)];
        const bool hasText = HasMnemonicText(store, event);
        auto* item = new QTreeWidgetItem(
            {QString::number(event.nTime),
             hasText ? QString::fromStdString(Utf8From1252(event.strMnemonic)) : QString(),
             QString::fromStdString(Utf8From1252(event.strCode))});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        m_wndList->addTopLevelItem(item);
    }
}

void CEventsPanel::ShowSelected(int event) {
    const QSignalBlocker quiet(m_wndList);
    m_wndList->setCurrentItem(m_wndList->topLevelItem(event));
}

}  // namespace somvix
