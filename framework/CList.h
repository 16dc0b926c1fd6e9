// CList: the framework's doubly linked list template. Elements are reached by
// POSITION handles that stay valid until their element is removed. Portable.
#pragma once

#include "CException.h"
#include "CObject.h"
#include "NodeChain.h"
#include "Position.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    CList() = default;
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return Checked(m_head)->data; }
    const TYPE& GetHead() const { return Checked(m_head)->data; }
    TYPE& GetTail() { return Checked(m_tail)->data; }
    const TYPE& GetTail() const { return Checked(m_tail)->data; }

    POSITION GetHeadPosition() const { return ToPos(m_head); }
    POSITION GetTailPosition() const { return ToPos(m_tail); }

    // Returns the element at pos and moves pos to the next one (null after the last).
    TYPE& GetNext(POSITION& pos) { return Step(pos, &Node::next)->data; }
    const TYPE& GetNext(POSITION& pos) const { return Step(pos, &Node::next)->data; }
    // Returns the element at pos and moves pos to the previous one (null before the first).
    TYPE& GetPrev(POSITION& pos) { return Step(pos, &Node::prev)->data; }
    const TYPE& GetPrev(POSITION& pos) const { return Step(pos, &Node::prev)->data; }
    TYPE& GetAt(POSITION pos) { return Checked(FromPos(pos))->data; }
    const TYPE& GetAt(POSITION pos) const { return Checked(FromPos(pos))->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { Checked(FromPos(pos))->data = value; }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(GetHeadPosition(), value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(GetTailPosition(), value); }

    // A null pos inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        Node* next = FromPos(pos) ? FromPos(pos) : m_head;
        Node* node = new Node{value, next ? next->prev : m_tail, next};
        Link(node);
        return ToPos(node);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        Node* prev = FromPos(pos) ? FromPos(pos) : m_tail;
        Node* node = new Node{value, prev, prev ? prev->next : m_head};
        Link(node);
        return ToPos(node);
    }

    TYPE RemoveHead()
    {
        Node* node = Checked(m_head);
        TYPE value = node->data;
        RemoveAt(ToPos(node));
        return value;
    }
    TYPE RemoveTail()
    {
        Node* node = Checked(m_tail);
        TYPE value = node->data;
        RemoveAt(ToPos(node));
        return value;
    }
    void RemoveAt(POSITION pos)
    {
        Node* node = Checked(FromPos(pos));
        UnlinkNode(node, m_head, m_tail);
        delete node;
        --m_count;
    }
    void RemoveAll()
    {
        DeleteChain(m_head, m_tail);
        m_count = 0;
    }

    // The first element equal to value after `startAfter` (from the head when null); null if none.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* node = startAfter ? FromPos(startAfter)->next : m_head; node; node = node->next) {
            if (node->data == value) return ToPos(node);
        }
        return nullptr;
    }
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_count) return nullptr;
        Node* node = m_head;
        while (index-- > 0) node = node->next;
        return ToPos(node);
    }

private:
    struct Node {
        TYPE data;
        Node* prev;
        Node* next;
    };

    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPos(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    // A null position or an empty list is a caller's fault: the framework's invalid-argument exception.
    static Node* Checked(Node* node)
    {
        if (!node) AfxThrowInvalidArgException();
        return node;
    }
    // The node at pos; pos moves along `link` (Node::next or Node::prev).
    static Node* Step(POSITION& pos, Node* Node::*link)
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->*link);
        return node;
    }
    void Link(Node* node)
    {
        LinkNode(node, m_head, m_tail);
        ++m_count;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
