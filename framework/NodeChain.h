// Linking and unlinking the framework's doubly linked nodes (CList's
// elements, CMap's entries in insertion order): any node type with `prev`
// and `next` pointers, in a chain held by a head and a tail. Portable.
#pragma once

// Puts `node` into the chain between its own `prev` and `next` (null: an end).
template <class Node>
void LinkNode(Node* node, Node*& head, Node*& tail)
{
    (node->prev ? node->prev->next : head) = node;
    (node->next ? node->next->prev : tail) = node;
}

// Takes `node` out of the chain; the node itself is not deleted.
template <class Node>
void UnlinkNode(Node* node, Node*& head, Node*& tail)
{
    (node->prev ? node->prev->next : head) = node->next;
    (node->next ? node->next->prev : tail) = node->prev;
}

// Deletes every node of the chain and leaves it empty.
template <class Node>
void DeleteChain(Node*& head, Node*& tail)
{
    for (Node* node = head; node;) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    head = tail = nullptr;
}
