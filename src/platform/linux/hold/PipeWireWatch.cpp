#include "PipeWireWatch.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QtGlobal>

#include <pipewire/pipewire.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <unistd.h>

namespace {

enum class NodeKind { other, capture, camera, screenCast };

bool isTrue(const spa_dict *props, const char *key)
{
    const char *value = spa_dict_lookup(props, key);
    return value && std::strcmp(value, "true") == 0;
}

NodeKind classify(const spa_dict *props)
{
    const char *mediaClass = props ? spa_dict_lookup(props, PW_KEY_MEDIA_CLASS) : nullptr;
    if (!mediaClass)
        return NodeKind::other;
    const char *pid = spa_dict_lookup(props, PW_KEY_APP_PROCESS_ID);
    if (pid && QByteArray(pid).toLongLong() == getpid())
        return NodeKind::other;
    if (std::strcmp(mediaClass, "Stream/Input/Audio") == 0) {
        // A level meter or a recorder of what plays is not the microphone.
        if (isTrue(props, PW_KEY_STREAM_MONITOR) || isTrue(props, PW_KEY_STREAM_CAPTURE_SINK))
            return NodeKind::other;
        return NodeKind::capture;
    }
    if (std::strcmp(mediaClass, "Video/Source") == 0 || std::strcmp(mediaClass, "Stream/Output/Video") == 0) {
        const char *role = spa_dict_lookup(props, PW_KEY_MEDIA_ROLE);
        if (spa_dict_lookup(props, PW_KEY_DEVICE_API) || (role && std::strcmp(role, "Camera") == 0))
            return NodeKind::camera;
        return NodeKind::screenCast;
    }
    return NodeKind::other;
}

// Where the library looks for the server.
QString serverSocketFolder()
{
    const QString pipeWireOwn = qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR");
    return pipeWireOwn.isEmpty() ? qEnvironmentVariable("XDG_RUNTIME_DIR") : pipeWireOwn;
}

QString serverSocketName()
{
    const QString named = qEnvironmentVariable("PIPEWIRE_REMOTE");
    return named.isEmpty() ? QStringLiteral("pipewire-0") : named;
}

} // namespace

struct PipeWireWatch::Connection {
    struct Node {
        Connection *owner = nullptr;
        NodeKind kind = NodeKind::other;
        pw_proxy *proxy = nullptr;
        spa_hook listener{};
        pw_node_state state = PW_NODE_STATE_SUSPENDED;
    };

    pw_loop *loop = nullptr;
    pw_context *context = nullptr;
    pw_core *core = nullptr;
    pw_registry *registry = nullptr;
    spa_hook coreListener{};
    spa_hook registryListener{};
    std::map<uint32_t, std::unique_ptr<Node>> nodes;
    bool broken = false;
    bool changed = false;
    pw_core_events coreEvents{};
    pw_registry_events registryEvents{};
    pw_node_events nodeEvents{};

    Connection()
    {
        coreEvents.version = PW_VERSION_CORE_EVENTS;
        coreEvents.error = [](void *data, uint32_t id, int, int res, const char *) {
            if (id == PW_ID_CORE && res == -EPIPE)
                static_cast<Connection *>(data)->broken = true;
        };
        registryEvents.version = PW_VERSION_REGISTRY_EVENTS;
        registryEvents.global = [](void *data, uint32_t id, uint32_t, const char *type, uint32_t,
                                   const spa_dict *props) { static_cast<Connection *>(data)->added(id, type, props); };
        registryEvents.global_remove = [](void *data, uint32_t id) { static_cast<Connection *>(data)->removed(id); };
        nodeEvents.version = PW_VERSION_NODE_EVENTS;
        nodeEvents.info = [](void *data, const pw_node_info *info) {
            auto *node = static_cast<Node *>(data);
            // The registry names only a node's class; its own properties tell a recorder of
            // what plays from one of the microphone.
            if ((info->change_mask & PW_NODE_CHANGE_MASK_PROPS) && info->props) {
                node->kind = classify(info->props);
                node->owner->changed = true;
            }
            if ((info->change_mask & PW_NODE_CHANGE_MASK_STATE) && node->state != info->state) {
                node->state = info->state;
                node->owner->changed = true;
            }
        };

        loop = pw_loop_new(nullptr);
        context = loop ? pw_context_new(loop, nullptr, 0) : nullptr;
        core = context ? pw_context_connect(context, nullptr, 0) : nullptr;
        if (!core)
            return;
        pw_core_add_listener(core, &coreListener, &coreEvents, this);
        registry = pw_core_get_registry(core, PW_VERSION_REGISTRY, 0);
        pw_registry_add_listener(registry, &registryListener, &registryEvents, this);
    }

    ~Connection()
    {
        for (auto &[id, node] : nodes) {
            spa_hook_remove(&node->listener);
            pw_proxy_destroy(node->proxy);
        }
        if (registry) {
            spa_hook_remove(&registryListener);
            pw_proxy_destroy(reinterpret_cast<pw_proxy *>(registry));
        }
        if (core) {
            spa_hook_remove(&coreListener);
            pw_core_disconnect(core);
        }
        if (context)
            pw_context_destroy(context);
        if (loop)
            pw_loop_destroy(loop);
    }

    bool connected() const { return core != nullptr; }

    void added(uint32_t id, const char *type, const spa_dict *props)
    {
        if (std::strcmp(type, PW_TYPE_INTERFACE_Node) != 0)
            return;
        const NodeKind kind = classify(props);
        if (kind == NodeKind::other)
            return;
        auto node = std::make_unique<Node>();
        node->owner = this;
        node->kind = kind;
        node->proxy =
            static_cast<pw_proxy *>(pw_registry_bind(registry, id, PW_TYPE_INTERFACE_Node, PW_VERSION_NODE, 0));
        if (!node->proxy)
            return;
        pw_proxy_add_object_listener(node->proxy, &node->listener, &nodeEvents, node.get());
        nodes[id] = std::move(node);
    }

    void removed(uint32_t id)
    {
        const auto found = nodes.find(id);
        if (found == nodes.end())
            return;
        spa_hook_remove(&found->second->listener);
        pw_proxy_destroy(found->second->proxy);
        nodes.erase(found);
        changed = true;
    }

    HoldSources::Reading reading(NodeKind kind) const
    {
        for (const auto &[id, node] : nodes) {
            if (node->kind == kind && node->state == PW_NODE_STATE_RUNNING)
                return HoldSources::Reading::inUse;
        }
        return HoldSources::Reading::clear;
    }
};

PipeWireWatch::PipeWireWatch(std::function<void(const Readings &)> report, QObject *parent)
    : QObject(parent),
      m_report(std::move(report))
{
    connectToServer();
}

bool PipeWireWatch::serverIsUp() { return QDir(serverSocketFolder()).exists(serverSocketName()); }

PipeWireWatch::~PipeWireWatch()
{
    delete m_notifier;
    m_connection.reset();
}

void PipeWireWatch::connectToServer()
{
    std::unique_ptr<Connection> connection;
    // The library is set up only once there is a server to talk to.
    if (serverIsUp()) {
        static const bool initialised = [] {
            pw_init(nullptr, nullptr);
            return true;
        }();
        Q_UNUSED(initialised);
        connection = std::make_unique<Connection>();
    }
    if (!connection || !connection->connected()) {
        // No server yet: wait for its socket to appear rather than retrying on a timer.
        if (!m_socketWatch && !serverSocketFolder().isEmpty()) {
            m_socketWatch = new QFileSystemWatcher({serverSocketFolder()}, this);
            connect(m_socketWatch, &QFileSystemWatcher::directoryChanged, this, [this] {
                if (!m_connection && serverIsUp())
                    connectToServer();
            });
            // The server may have come up before the watch.
            if (serverIsUp())
                QMetaObject::invokeMethod(this, &PipeWireWatch::connectToServer, Qt::QueuedConnection);
        }
        publish();
        return;
    }
    delete std::exchange(m_socketWatch, nullptr);
    m_connection = std::move(connection);
    m_notifier = new QSocketNotifier(pw_loop_get_fd(m_connection->loop), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PipeWireWatch::dispatch);
    dispatch();
}

void PipeWireWatch::dispatch()
{
    if (!m_connection)
        return;
    pw_loop *loop = m_connection->loop;
    pw_loop_enter(loop);
    // What one pass dispatches may queue requests that the next pass sends.
    while (pw_loop_iterate(loop, 0) > 0) {
    }
    pw_loop_leave(loop);
    if (m_connection->broken) {
        disconnected();
        return;
    }
    if (std::exchange(m_connection->changed, false) || m_last.microphone == HoldSources::Reading::unknown)
        publish();
}

void PipeWireWatch::disconnected()
{
    // Called from the notifier's own signal: it goes once that is over.
    m_notifier->setEnabled(false);
    std::exchange(m_notifier, nullptr)->deleteLater();
    m_connection.reset();
    publish();
    connectToServer();
}

void PipeWireWatch::publish()
{
    Readings readings;
    if (m_connection) {
        readings.microphone = m_connection->reading(NodeKind::capture);
        readings.camera = m_connection->reading(NodeKind::camera);
        readings.screenShared = m_connection->reading(NodeKind::screenCast);
    }
    if (readings == m_last)
        return;
    m_last = readings;
    m_report(readings);
}
