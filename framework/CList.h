// CList: the framework's doubly linked list template. Elements are reached by
// POSITION handles that stay valid until their element is removed. Portable.
#pragma once

#include "CException.h"
#include "Position.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

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
    TYPE& GetNext(POSITION& pos)
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->next);
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* node = Checked(FromPos(pos));
        pos = ToPos(node->prev);
        return node->data;
    }
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
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        delete node;
        --m_count;
    }
    void RemoveAll()
    {
        for (Node* node = m_head; node;) {
            Node* next = node->next;
            delete node;
            node = next;
        }
        m_head = m_tail = nullptr;
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
    void Link(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node;
        (node->next ? node->next->prev : m_tail) = node;
        ++m_count;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
